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

Result RunCli(const QStringList& args, const CliInput& input)
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
    process.start(Q(input.program.empty() ? BinDir() + "/ocrprint-cli" : input.program), args);
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

bool IsUsageError(const std::string& err)
{
    const std::string prefix = "ocrprint-cli: ";
    const std::string suffix = "\nTry 'ocrprint-cli --help'.\n";
    return err.size() > prefix.size() + suffix.size() && err.starts_with(prefix) &&
           err.ends_with(suffix) &&
           err.find('\n') == err.size() - suffix.size(); // the reason is one line
}

} // namespace testutil
