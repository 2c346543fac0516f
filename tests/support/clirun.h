#pragma once
// Running ocrprint-cli as a user does.

#include <QStringList>
#include <string>
#include <vector>

namespace testutil {

struct Result
{
    int status = -1; // the exit status; -2 for a crash, -1 when it did not finish
    std::string out;
    std::string err;
};

// What a run is given besides its arguments.
struct CliInput
{
    std::string tmpdir;     // when given, its TMPDIR, $XDG_CONFIG_HOME (.config: the
                            // settings file is .config/ocrprint/ocrprn2.ini) and
                            // $XDG_CACHE_HOME (.cache)
    QStringList env;        // NAME=VALUE, over the C.UTF-8 locale every run starts from
    std::string stdinBytes; // its standard input, closed after these bytes
    std::string stdoutFile; // when given, where its standard output goes (a device, a file)
    std::string program;    // when given, the ocrprint-cli run instead of the built one
};

// Runs the built ocrprint-cli with args; tmpdir as in CliInput. The tool's own
// texts are English.
Result RunCli(const QStringList& args, const std::string& tmpdir = {});
Result RunCli(const QStringList& args, const CliInput& input);
// The same with its standard output going to stdoutFile (a device, a file).
Result RunCliWithOutput(const QStringList& args, const std::string& stdoutFile,
                        const std::string& tmpdir = {});

// The same with arguments that are bytes, not text: a file name in
// Shift-JIS, one with control bytes. They reach the tool byte for byte.
Result RunCliBytes(const std::vector<std::string>& args, const CliInput& input);

// Whether err is a usage error as the tool writes one: "ocrprint-cli: " and the
// reason on one line, then, prefixed too, the line pointing to the help.
bool IsUsageError(const std::string& err);

inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace testutil
