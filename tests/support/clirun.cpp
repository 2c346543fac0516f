#include "clirun.h"

#include <QProcess>

#include "testutil.h"

namespace testutil {

Result RunCli(const QStringList& args, const std::string& tmpdir)
{
    CliInput input;
    input.tmpdir = tmpdir;
    return RunCli(args, input);
}

Result RunCliWithOutput(const QStringList& args, const std::string& stdoutFile,
                        const std::string& tmpdir)
{
    CliInput input;
    input.tmpdir = tmpdir;
    input.stdoutFile = stdoutFile;
    return RunCli(args, input);
}

namespace {

// A shell word that gives the bytes back whatever they are: printf turns
// octal escapes into bytes, and QProcess passes only ASCII.
QString ShellBytes(const std::string& bytes)
{
    QString word = QStringLiteral("\"$(printf '");
    for (const char c : bytes)
        word += QStringLiteral("\\%1").arg(static_cast<uint>(static_cast<unsigned char>(c)), 3, 8,
                                           QLatin1Char('0'));
    return word + QStringLiteral("')\"");
}

Result Run(const QString& program, const QStringList& args, const CliInput& input);

// The built ocrprint-cli, or the copy a test runs instead.
std::string CliProgram(const CliInput& input)
{
    return input.program.empty() ? BinDir() + "/ocrprint-cli" : input.program;
}

} // namespace

Result RunCliBytes(const std::vector<std::string>& args, const CliInput& input)
{
    QString script = QStringLiteral("exec \"$0\"");
    for (const std::string& arg : args)
        script += QLatin1Char(' ') + ShellBytes(arg);
    return Run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, Q(CliProgram(input))},
               input);
}

Result RunCli(const QStringList& args, const CliInput& input)
{
    return Run(Q(CliProgram(input)), args, input);
}

namespace {

Result Run(const QString& program, const QStringList& args, const CliInput& input)
{
    QProcess process;
    if (!input.stdoutFile.empty())
        process.setStandardOutputFile(Q(input.stdoutFile));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!input.tmpdir.empty()) {
        // The settings file's places, old and new, are all the test's own.
        env.insert("TMPDIR", Q(input.tmpdir));
        env.insert("XDG_CONFIG_HOME", Q(input.tmpdir + "/.config"));
        env.insert("XDG_CACHE_HOME", Q(input.tmpdir + "/.cache"));
    }
    // The tool speaks the user's language; the tests name the one they expect.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(name);
    env.insert("LANG", "C.UTF-8");
    for (const QString& setting : input.env)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process.setProcessEnvironment(env);
    process.start(program, args);
    Result r;
    if (!process.waitForStarted())
        return r;
    process.write(input.stdinBytes.data(), static_cast<qint64>(input.stdinBytes.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    r.out = process.readAllStandardOutput().toStdString();
    r.err = process.readAllStandardError().toStdString();
    return r;
}

} // namespace

bool IsUsageError(const std::string& err)
{
    const std::string prefix = "ocrprint-cli: ";
    const std::string suffix = "\nocrprint-cli: Try 'ocrprint-cli --help'.\n";
    return err.size() > prefix.size() + suffix.size() && err.starts_with(prefix) &&
           err.ends_with(suffix) &&
           err.find('\n') == err.size() - suffix.size(); // the reason is one line
}

} // namespace testutil
