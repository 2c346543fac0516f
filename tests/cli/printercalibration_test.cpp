// Each queue of a private scheduler keeps its own calibration: what is made
// on one moves the entries printed there and nowhere else.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "clirun.h"
#include "cupsscheduler.h"
#include "files.h"

namespace {

using testutil::Q;
using testutil::Result;

const char* const Data = "50,50,12,1,0,1,a,b,c,d,e,ABC\r\n";
const char* const Defaults = "0\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n";
const char* const NoCalibration = "has no calibration";
const char* const Taken = "taken as the calibration of printer";

class PrinterCalibration : public cupstest::CupsTest
{
protected:
    void SetUp() override
    {
        cupstest::CupsTest::SetUp();
        ::mkdir(m_dir.File(".config").c_str(), 0700);
        ::mkdir(Config("").c_str(), 0700);
        testutil::WriteFileBytes(m_dir.File("ocrdat.prn"), Data);
    }
    std::string Config(const std::string& name) const
    {
        return m_dir.File(".config/ocrprint/") + name;
    }
    Result Run(const QStringList& args) const { return testutil::RunCli(args, m_dir.Path()); }
    // The trace of the data printed on queue, with the extra arguments.
    std::string Trace(const QString& queue, const QStringList& extra, Result* result = nullptr)
    {
        const std::string trace = m_dir.File("t.jsonl");
        const Result r = Run(QStringList{"print", "-d", queue, "--data",
                                         Q(m_dir.File("ocrdat.prn")), "--trace", Q(trace)} +
                             extra);
        EXPECT_EQ(r.status, 0) << r.err;
        if (result)
            *result = r;
        return testutil::ReadFileBytes(trace);
    }
    // The trace with the eight values given as the one settings file.
    std::string TraceWith(const QString& queue, const std::string& values)
    {
        testutil::WriteFileBytes(m_dir.File("given.ini"), values);
        return Trace(queue, {"--settings", Q(m_dir.File("given.ini"))});
    }
    testutil::TempDir m_dir;
};

struct QueueRow
{
    const char* name;
    QStringList calibrateOn; // the options of calibrate
    const char* printOn;
    const char* keptAs; // the file under printers/ that holds it
    bool applied;
};

class CalibrationFollowsQueue : public PrinterCalibration,
                                public ::testing::WithParamInterface<QueueRow>
{
};

TEST_P(CalibrationFollowsQueue, AppliedOnItsQueueOnly)
{
    const QueueRow& row = GetParam();
    const Result made = Run(QStringList{"calibrate", "152", "203", "101", "151"} + row.calibrateOn);
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string kept = testutil::ReadFileBytes(Config("printers/") + row.keptAs);
    ASSERT_NE(kept, "");
    ASSERT_NE(kept, Defaults);
    // The one file of before holds the last calibration confirmed.
    EXPECT_EQ(testutil::ReadFileBytes(Config("ocrprn2.ini")), kept);

    Result printed;
    const std::string trace = Trace(row.printOn, {}, &printed);
    EXPECT_EQ(trace, TraceWith(row.printOn, row.applied ? kept : Defaults));
    EXPECT_NE(trace, TraceWith(row.printOn, row.applied ? Defaults : kept));
    EXPECT_EQ(printed.err.find(NoCalibration) != std::string::npos, !row.applied) << printed.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CalibrationFollowsQueue,
    ::testing::Values(
        QueueRow{"MadeOnAPrintedOnA", {"-d", "ocrtest"}, "ocrtest", "ocrtest.ini", true},
        QueueRow{"MadeOnAPrintedOnB", {"-d", "ocrtest"}, "ocr300", "ocrtest.ini", false},
        QueueRow{"MadeOnDefaultPrintedOnIt", {}, "ocrtest", "ocrtest.ini", true},
        QueueRow{
            "MadeOnQueuePrintedOnInstance", {"-d", "ocr300"}, "ocr300/fine", "ocr300.ini", true},
        QueueRow{
            "MadeOnInstancePrintedOnOther", {"-P", "ocr300/fine"}, "ocrtest", "ocr300.ini", false}),
    [](const auto& info) { return std::string(info.param.name); });

// The one file an earlier release left becomes the calibration of the first
// printer used, said once; the next printer has none.
TEST_F(PrinterCalibration, OldFileIsAdoptedOnce)
{
    const std::string old = "1.5\r\n-1\r\n0\r\n-2\r\n150\r\n200\r\n100\r\n150\r\n";
    testutil::WriteFileBytes(Config("ocrprn2.ini"), old);
    struct Step
    {
        const char* queue;
        bool taken;
        bool none;
        bool applied;
    };
    const Step steps[] = {
        {"ocr300", true, false, true},
        {"ocr300", false, false, true},
        {"ocrtest", false, true, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.queue);
        Result r;
        const std::string trace = Trace(step.queue, {}, &r);
        EXPECT_EQ(r.err.find(Taken) != std::string::npos, step.taken) << r.err;
        EXPECT_EQ(r.err.find(NoCalibration) != std::string::npos, step.none) << r.err;
        EXPECT_EQ(trace, TraceWith(step.queue, step.applied ? old : Defaults));
    }
    EXPECT_EQ(testutil::ReadFileBytes(Config("printers/ocr300.ini")), old);
    EXPECT_EQ(testutil::ReadFileBytes(Config("ocrprn2.ini")), old);
}

// show --all lists every queue's calibration, a deleted queue's included,
// until forget removes it.
TEST_F(PrinterCalibration, ShowAllAndForget)
{
    ASSERT_TRUE(Scheduler().CreateQueue("gone", cupstest::CupsScheduler::A4At600Ppd));
    for (const char* queue : {"ocrtest", "gone"})
        ASSERT_EQ(Run({"calibrate", "-d", queue, "151", "201", "100", "150"}).status, 0);
    ASSERT_TRUE(Scheduler().DeleteQueue("gone"));
    struct Step
    {
        QStringList args;
        int status;
        std::vector<std::string> listed; // by show --all after the step
    };
    const Step steps[] = {
        {{"show", "--all"}, 0, {"[gone]", "[ocrtest]"}},
        {{"forget", "gone"}, 0, {"[ocrtest]"}},
        {{"forget", "gone"}, 1, {"[ocrtest]"}},
        {{"forget", "ocrtest/inst"}, 0, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.args.join(' ').toStdString());
        EXPECT_EQ(Run(step.args).status, step.status);
        const Result all = Run({"show", "--all"});
        ASSERT_EQ(all.status, 0) << all.err;
        std::vector<std::string> headers;
        std::size_t lines = 0;
        for (std::size_t at = 0; at < all.out.size(); ++lines) {
            const std::size_t end = all.out.find('\n', at);
            const std::string line = all.out.substr(at, end - at);
            if (line.starts_with("["))
                headers.push_back(line);
            at = end + 1;
        }
        EXPECT_EQ(headers, step.listed) << all.out;
        EXPECT_EQ(lines, headers.size() * 9) << all.out;
    }
    const Result none = Run({"show", "-d", "ocrtest"});
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.err.find(NoCalibration), std::string::npos) << none.err;
}

} // namespace
