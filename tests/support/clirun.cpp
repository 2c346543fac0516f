#include "clirun.h"

#include <QProcess>

#include "testutil.h"

namespace testutil {

namespace {

Result Run(const QStringList& args, const std::string& tmpdir, const std::string& stdoutFile)
{
    QProcess process;
    if (!stdoutFile.empty())
        process.setStandardOutputFile(Q(stdoutFile));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!tmpdir.empty()) {
        // The settings file's places, old and new, are all the test's own.
        env.insert("TMPDIR", Q(tmpdir));
        env.insert("XDG_CONFIG_HOME", Q(tmpdir + "/.config"));
        env.insert("XDG_CACHE_HOME", Q(tmpdir + "/.cache"));
    }
    process.setProcessEnvironment(env);
    process.start(Q(BinDir() + "/ocrprint-cli"), args);
    Result r;
    if (!process.waitForFinished(120000))
        return r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    r.out = process.readAllStandardOutput().toStdString();
    r.err = process.readAllStandardError().toStdString();
    return r;
}

} // namespace

Result RunCli(const QStringList& args, const std::string& tmpdir)
{
    return Run(args, tmpdir, {});
}

Result RunCliWithOutput(const QStringList& args, const std::string& stdoutFile,
                        const std::string& tmpdir)
{
    return Run(args, tmpdir, stdoutFile);
}

} // namespace testutil
