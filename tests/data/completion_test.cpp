// The bash completion of ocrprint-cli, run in bash as the shell runs it:
// commands, options, the paper names and the CUPS queues of the suite's own
// scheduler after --printer.
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

#include "clirun.h"
#include "cupsscheduler.h"
#include "files.h"

namespace {

const char* const BashCompletion = "/usr/share/bash-completion/bash_completion";

struct CompletionRow
{
    const char* name;
    const char* line; // the command line typed so far; the word under the cursor is its last
    QStringList expected;
    bool needsScheduler = false;
};

// Completes the last word of line with the installed completion file; the
// candidates, sorted.
QStringList Complete(const QString& line, QString& error)
{
    QStringList words = line.split(' ');
    const QString script =
        QString("source %1 && source %2 && COMP_LINE=\"$1\" && COMP_POINT=${#COMP_LINE} && "
                "read -r -a COMP_WORDS <<<\"$1\" && COMP_CWORD=%3 && ")
            .arg(BashCompletion,
                 QString::fromStdString(testutil::SourceDir() + "/data/completion/ocrprint-cli"))
            .arg(words.size() - 1) +
        // A trailing blank starts a new, empty word.
        "[[ $1 == *' ' ]] && COMP_WORDS+=(''); _ocrprint_cli && printf '%s\\n' \"${COMPREPLY[@]}\"";
    QProcess bash;
    // The completion asks the tool for its options: the built one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", QString::fromStdString(testutil::BinDir()) + ":" + env.value("PATH"));
    bash.setProcessEnvironment(env);
    bash.start("bash", {"-c", script, "bash", line});
    if (!bash.waitForFinished(30000)) {
        error = "bash did not end";
        return {};
    }
    error = QString::fromUtf8(bash.readAllStandardError());
    QStringList out =
        QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    std::sort(out.begin(), out.end());
    return out;
}

class Completion : public ::testing::TestWithParam<CompletionRow>
{
};

TEST_P(Completion, OffersTheCandidates)
{
    const CompletionRow& row = GetParam();
    if (!QFileInfo::exists(BashCompletion))
        GTEST_SKIP() << "bash-completion is not installed (" << BashCompletion << ")";
    if (row.needsScheduler && !cupstest::CupsScheduler::Get())
        GTEST_SKIP() << cupstest::CupsScheduler::SkipReason();
    QString error;
    const QStringList got = Complete(QString::fromUtf8(row.line), error);
    QStringList expected = row.expected;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got.join(' ').toStdString(), expected.join(' ').toStdString()) << error.toStdString();
}

const QStringList AllCommands{"print", "check",      "preview",   "convert", "show",
                              "sheet", "test-print", "calibrate", "measure", "forget"};

INSTANTIATE_TEST_SUITE_P(
    Words, Completion,
    ::testing::Values(
        CompletionRow{"CommandsFirst", "ocrprint-cli ", AllCommands},
        CompletionRow{"CommandPrefix", "ocrprint-cli c", {"check", "calibrate", "convert"}},
        CompletionRow{
            "CommandAfterAnOptionsValue", "ocrprint-cli --data x.prn s", {"show", "sheet"}},
        CompletionRow{"OptionPrefix", "ocrprint-cli print --pa", {"--paper"}},
        CompletionRow{
            "OptionsAfterTheCommand", "ocrprint-cli print --printer-", {"--printer-error"}},
        CompletionRow{"PaperNames",
                      "ocrprint-cli sheet --paper ",
                      {"A4", "A3", "B4", "B5", "Letter", "Legal"}},
        CompletionRow{"PaperPrefix", "ocrprint-cli sheet --paper L", {"Letter", "Legal"}},
        CompletionRow{"PaperAfterEquals", "ocrprint-cli sheet --paper=Le", {"Letter", "Legal"}},
        CompletionRow{"NoCommandAfterTheCommand", "ocrprint-cli check ", {}},
        CompletionRow{"PrinterQueues",
                      "ocrprint-cli print --printer ocr",
                      {"ocr300", "ocr300/fine", "ocrtest"},
                      true},
        CompletionRow{"NoQueueOfThatName", "ocrprint-cli print --printer zz", {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The completion keeps up with the tool: every option its help names is
// offered.
TEST(CompletionOfOptions, OffersEveryOptionTheHelpNames)
{
    if (!QFileInfo::exists(BashCompletion))
        GTEST_SKIP() << "bash-completion is not installed (" << BashCompletion << ")";
    const testutil::Result help = testutil::RunCli({"--help"});
    ASSERT_EQ(help.status, 0) << help.err;
    QSet<QString> named;
    QRegularExpressionMatchIterator it = QRegularExpression("(?<![\\w-])--[a-z][a-z-]*")
                                             .globalMatch(QString::fromStdString(help.out));
    while (it.hasNext())
        named.insert(it.next().captured());
    ASSERT_FALSE(named.isEmpty()) << help.out;
    QString error;
    const QStringList offered = Complete("ocrprint-cli --", error);
    for (const QString& option : named)
        EXPECT_TRUE(offered.contains(option)) << option.toStdString() << " is not completed";
}

} // namespace
