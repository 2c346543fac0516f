// -d QUEUE (as lp) and -P QUEUE (as lpr) choose the printer as --printer does:
// the sheet arrives at the named queue of a private scheduler, not at its
// default queue.
#include <gtest/gtest.h>

#include "clirun.h"
#include "cupsscheduler.h"

namespace {

struct PrinterRow
{
    const char* name;
    QStringList args;
};

class CliPrinterOption : public cupstest::CupsTest, public ::testing::WithParamInterface<PrinterRow>
{
};

TEST_P(CliPrinterOption, PrintsOnTheNamedQueue)
{
    const int before = Scheduler().LastJobId();
    const testutil::Result r = testutil::RunCli(QStringList{"sheet"} + GetParam().args);
    ASSERT_EQ(r.status, 0) << r.err;
    const int job = Scheduler().WaitForJob(before);
    ASSERT_NE(job, 0) << "no job finished";
    const std::string uri = Scheduler().JobAttributes(job)["job-printer-uri"];
    EXPECT_TRUE(uri.ends_with("/printers/ocr300")) << uri;
}

INSTANTIATE_TEST_SUITE_P(Cli, CliPrinterOption,
                         ::testing::Values(PrinterRow{"Long", {"--printer=ocr300"}},
                                           PrinterRow{"AsLp", {"-d", "ocr300"}},
                                           PrinterRow{"AsLpAttached", {"-docr300"}},
                                           PrinterRow{"AsLpr", {"-P", "ocr300"}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
