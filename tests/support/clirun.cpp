#include "clirun.h"

#include <QProcess>

#include "testutil.h"

namespace testutil {

Result RunCli(const QStringList& args, const std::string& tmpdir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!tmpdir.empty())
        env.insert("TMPDIR", Q(tmpdir));
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

} // namespace testutil
