// The three print jobs' traces, byte for byte against the ones recorded in
// tests/cli/golden: whatever is moved or renamed inside, every dot stays.
#include <gtest/gtest.h>

#include "clirun.h"
#include "testutil.h"

namespace {

using testutil::Q;

struct GoldenRow
{
    const char* name;
    const char* job; // decl, sheet or test
    int dpi;
    const char* lang = "C.UTF-8"; // the locale it runs under: a page is the same in every one
};

class GoldenTrace : public ::testing::TestWithParam<GoldenRow>
{
};

TEST_P(GoldenTrace, IsByteIdenticalToTheRecordedOne)
{
    const GoldenRow& row = GetParam();
    testutil::TempDir dir;
    const std::string settings = dir.File("ocrprn2.ini");
    testutil::WriteFileBytes(settings, "0.3\r\n-0.7\r\n1.5\r\n-2\r\n150\r\n200\r\n100\r\n150\r\n");
    const std::string trace = dir.File("trace.jsonl");
    const QStringList device{"-o",       Q(dir.File("out.pdf")),
                             "--dpi",    QString::number(row.dpi),
                             "--offset", "50,70",
                             "--trace",  Q(trace)};

    const std::string job = row.job;
    QStringList args;
    if (job == "decl")
        args = QStringList{"print", "--data", Q(testutil::SourceDir() + "/examples/ocrdat.prn"),
                           "--settings", Q(settings)};
    else if (job == "sheet")
        args = QStringList{"sheet"};
    else
        args = QStringList{"test-print", "150.8", "199.1", "101.2", "148.3"};
    testutil::CliInput input;
    input.tmpdir = dir.Path();
    input.env << QStringLiteral("LANG=%1").arg(QLatin1String(row.lang));
    const testutil::Result r = testutil::RunCli(args + device, input);
    ASSERT_EQ(r.status, 0) << r.err;

    const std::string golden = testutil::SourceDir() + "/tests/cli/golden/" + job + "-" +
                               std::to_string(row.dpi) + ".jsonl";
    const std::string expected = testutil::ReadFileBytes(golden);
    ASSERT_FALSE(expected.empty()) << golden;
    EXPECT_TRUE(testutil::ReadFileBytes(trace) == expected) << "the trace differs from " << golden;
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, GoldenTrace,
    ::testing::Values(GoldenRow{"Declaration300", "decl", 300},
                      GoldenRow{"Declaration600", "decl", 600},
                      GoldenRow{"Declaration1200", "decl", 1200},
                      GoldenRow{"Sheet300", "sheet", 300}, GoldenRow{"Sheet600", "sheet", 600},
                      GoldenRow{"Sheet1200", "sheet", 1200}, GoldenRow{"TestPrint300", "test", 300},
                      GoldenRow{"TestPrint600", "test", 600},
                      GoldenRow{"TestPrint1200", "test", 1200},
                      GoldenRow{"DeclarationJapaneseLocale", "decl", 600, "ja_JP.UTF-8"},
                      GoldenRow{"SheetJapaneseLocale", "sheet", 600, "ja_JP.UTF-8"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
