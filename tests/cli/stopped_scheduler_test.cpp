// A scheduler that takes connections but answers nothing (a stopped cupsd):
// the tool gives up within its bound, names the scheduler, fails, and leaves
// no spool directory behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "clirun.h"
#include "cupsscheduler.h"
#include "files.h"

namespace {

struct StoppedRow
{
    const char* name;
    QStringList args;
};

class CliStoppedScheduler : public cupstest::CupsTest,
                            public ::testing::WithParamInterface<StoppedRow>
{
protected:
    void TearDown() override
    {
        if (cupstest::CupsScheduler::Get())
            Scheduler().Signal(SIGCONT);
    }
};

TEST_P(CliStoppedScheduler, GivesUpNamingTheScheduler)
{
    const testutil::TempDir tmp;
    ASSERT_TRUE(Scheduler().Signal(SIGSTOP));
    const testutil::Result r = testutil::RunCli(GetParam().args, tmp.Path());
    ASSERT_TRUE(Scheduler().Signal(SIGCONT));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("印刷スケジューラが応答しません: " + Scheduler().Server()),
              std::string::npos)
        << r.err;
    for (const auto& entry : std::filesystem::directory_iterator(tmp.Path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("ocrprint-"))
            << entry.path() << " is left behind";
}

const QString Data = testutil::Q(testutil::SourceDir() + "/examples/ocrdat.prn");

INSTANTIATE_TEST_SUITE_P(Cli, CliStoppedScheduler,
                         ::testing::Values(StoppedRow{"PrintOnDefault", {"print", "--data", Data}},
                                           StoppedRow{"PrintOnNamedQueue",
                                                      {"print", "--data", Data, "-d", "ocr300"}},
                                           StoppedRow{"Sheet", {"sheet"}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
