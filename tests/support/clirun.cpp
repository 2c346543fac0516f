#include "clirun.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include "testutil.h"

namespace clitest {

Result RunCli(const QStringList& args, const std::string& tmpdir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!tmpdir.empty())
        env.insert("TMPDIR", Q(tmpdir));
    process.setProcessEnvironment(env);
    process.start(Q(testutil::BinDir() + "/ocrprint-cli"), args);
    Result r;
    if (!process.waitForFinished(120000))
        return r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    r.out = process.readAllStandardOutput().toStdString();
    r.err = process.readAllStandardError().toStdString();
    return r;
}

std::vector<QJsonObject> ReadTrace(const std::string& path)
{
    return testutil::ReadTrace(path);
}

std::vector<QJsonObject> TraceOps(const std::vector<QJsonObject>& trace, const char* op)
{
    std::vector<QJsonObject> found;
    for (const QJsonObject& line : trace)
        if (line["op"].toString() == QLatin1String(op))
            found.push_back(line);
    return found;
}

} // namespace clitest
