#pragma once
// Running ocrprint-cli as a user does, and reading what it leaves behind.

#include <QJsonObject>
#include <QStringList>
#include <string>
#include <vector>

namespace clitest {

struct Result
{
    int status = -1; // the exit status; -2 for a crash, -1 when it did not finish
    std::string out;
    std::string err;
};

// Runs the built ocrprint-cli with args; tmpdir, when given, becomes its TMPDIR
// (where it looks for the settings file).
Result RunCli(const QStringList& args, const std::string& tmpdir = {});

// The trace's lines as JSON objects, and those of one operation.
std::vector<QJsonObject> ReadTrace(const std::string& path);
std::vector<QJsonObject> TraceOps(const std::vector<QJsonObject>& trace, const char* op);

inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace clitest
