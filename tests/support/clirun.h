#pragma once
// Running ocrprint-cli as a user does.

#include <QStringList>
#include <string>

namespace testutil {

struct Result
{
    int status = -1; // the exit status; -2 for a crash, -1 when it did not finish
    std::string out;
    std::string err;
};

// Runs the built ocrprint-cli with args; tmpdir, when given, becomes its TMPDIR
// (where it looks for the settings file).
Result RunCli(const QStringList& args, const std::string& tmpdir = {});

inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace testutil
