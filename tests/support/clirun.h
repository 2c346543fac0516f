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
// and holds its $XDG_CONFIG_HOME (.config: the settings file is
// .config/ocrprint/ocrprn2.ini) and $XDG_CACHE_HOME (.cache).
Result RunCli(const QStringList& args, const std::string& tmpdir = {});
// The same with its standard output going to stdoutFile (a device, a file).
Result RunCliWithOutput(const QStringList& args, const std::string& stdoutFile,
                        const std::string& tmpdir = {});

inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace testutil
