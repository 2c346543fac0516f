// The window program run from a terminal: --help and --version answer there
// without a display, and without a display the program says so in one line
// and exits 1 instead of Qt aborting.
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include "files.h"
#include "version.h"

namespace {

struct TerminalRow
{
    const char* name;
    QStringList args;
    bool display;    // whether the environment names a display (offscreen)
    int status;      // the exit status
    bool toStdout;   // the answer's one or more lines go to standard output
    const char* has; // a text the answer holds
};

class ProgramOnTerminal : public ::testing::TestWithParam<TerminalRow>
{
};

TEST_P(ProgramOnTerminal, AnswersWithoutAWindow)
{
    const TerminalRow& row = GetParam();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    if (row.display)
        env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QString::fromStdString(testutil::BinDir() + "/ocrprint"), row.args);
    ASSERT_TRUE(process.waitForFinished(60000)) << "ocrprint did not end";
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << "ocrprint crashed";
    EXPECT_EQ(process.exitCode(), row.status);
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    const QString& answer = row.toStdout ? out : err;
    EXPECT_TRUE(answer.contains(QString::fromUtf8(row.has))) << answer.toStdString();
    EXPECT_TRUE((row.toStdout ? err : out).isEmpty()) << (row.toStdout ? err : out).toStdString();
    if (!row.toStdout) {
        EXPECT_EQ(answer.count('\n'), 1) << "one line: " << answer.toStdString();
    }
}

const std::string VersionLine = std::string("ocrprint ") + core::ProgramVersion + " (";

INSTANTIATE_TEST_SUITE_P(
    Answers, ProgramOnTerminal,
    ::testing::Values(
        TerminalRow{"HelpWithoutDisplay", {"--help"}, false, 0, true, "usage: ocrprint"},
        TerminalRow{"ShortHelp", {"-h"}, true, 0, true, "usage: ocrprint"},
        TerminalRow{"VersionWithoutDisplay", {"--version"}, false, 0, true, VersionLine.c_str()},
        TerminalRow{"VersionWithDisplay", {"--version"}, true, 0, true, VersionLine.c_str()},
        TerminalRow{"NoDisplay", {}, false, 1, false, "ocrprint: no display"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
