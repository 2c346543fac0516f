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
    const char* display;          // DISPLAY, or nullptr for none (QT_QPA_PLATFORM too if "=x")
    int status;                   // the exit status
    bool toStdout;                // the answer's one or more lines go to standard output
    const char* has;              // a text the answer holds
    const char* lang = "C.UTF-8"; // LANG, with LANGUAGE=ja and no LC_ALL / LC_MESSAGES
};

class ProgramOnTerminal : public ::testing::TestWithParam<TerminalRow>
{
};

TEST_P(ProgramOnTerminal, AnswersWithoutAWindow)
{
    const TerminalRow& row = GetParam();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "OCRPRINT_DEBUG",
                             "LC_ALL", "LC_MESSAGES"})
        env.remove(name);
    env.insert("LANG", row.lang);
    env.insert("LANGUAGE", "ja");
    if (row.display && row.display[0] == '=')
        env.insert("QT_QPA_PLATFORM", row.display + 1);
    else if (row.display)
        env.insert("DISPLAY", row.display);
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
        TerminalRow{"HelpWithoutDisplay", {"--help"}, nullptr, 0, true, "usage: ocrprint"},
        TerminalRow{"ShortHelp", {"-h"}, "=offscreen", 0, true, "usage: ocrprint"},
        TerminalRow{"VersionWithoutDisplay", {"--version"}, nullptr, 0, true, VersionLine.c_str()},
        TerminalRow{
            "VersionWithDisplay", {"--version"}, "=offscreen", 0, true, VersionLine.c_str()},
        TerminalRow{"NoDisplay", {}, nullptr, 1, false, "ocrprint: no display"},
        // A display no X server serves: Qt's abort becomes one line.
        TerminalRow{"DisplayThatDoesNotAnswer",
                    {},
                    ":9876",
                    1,
                    false,
                    "ocrprint: cannot open the window on the display :9876"},
        TerminalRow{"PlatformThatDoesNotExist",
                    {},
                    "=nosuchplatform",
                    1,
                    false,
                    "ocrprint: cannot open the window on the Qt platform nosuchplatform"},
        // A mistyped argument opens no window, with a display or without.
        TerminalRow{"UnknownOption",
                    {"--bogus"},
                    "=offscreen",
                    2,
                    false,
                    "ocrprint: unknown option --bogus; try 'ocrprint --help'"},
        TerminalRow{"UnknownOptionWithoutDisplay",
                    {"-x"},
                    nullptr,
                    2,
                    false,
                    "ocrprint: unknown option -x; try 'ocrprint --help'"},
        TerminalRow{"UnknownOptionAfterQtsOwn",
                    {"-style", "fusion", "--reverse", "-geometry=10x10", "--bogus"},
                    "=offscreen",
                    2,
                    false,
                    "ocrprint: unknown option --bogus;"},
        TerminalRow{"ControlBytesShown",
                    {"--\x1b[2J"},
                    "=offscreen",
                    2,
                    false,
                    "ocrprint: unknown option --\\x1b[2J;"},
        TerminalRow{"UnexpectedArgument",
                    {"ocrdat.prn"},
                    "=offscreen",
                    2,
                    false,
                    "ocrprint: unexpected argument ocrdat.prn: "},
        // The user's language; under the C locale LANGUAGE is not followed.
        TerminalRow{"HelpInJapanese",
                    {"--help"},
                    nullptr,
                    0,
                    true,
                    "使い方: ocrprint [--help | --version]",
                    "ja_JP.UTF-8"},
        TerminalRow{"UsageErrorInJapanese",
                    {"--bogus"},
                    "=offscreen",
                    2,
                    false,
                    "ocrprint: 不明なオプション --bogus です。",
                    "ja_JP.UTF-8"},
        // LANGUAGE over LANG, as gettext has it.
        TerminalRow{"HelpInLanguageOverLang",
                    {"--help"},
                    nullptr,
                    0,
                    true,
                    "使い方: ocrprint",
                    "en_US.UTF-8"},
        TerminalRow{"HelpUnderPosix", {"--help"}, nullptr, 0, true, "usage: ocrprint", "POSIX"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
