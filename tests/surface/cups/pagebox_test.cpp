// Each job as a new process prints it, whatever the run printed before: the
// spooled page of a job that follows a landscape page or another queue looks
// like the page ocrprint-cli spools for it alone, and has the queue's paper
// to the hundredth of a point.
#include "cupsscheduler.h"
#include "pdftools.h"

#include "declarationjob.h"
#include "measurestate.h"
#include "printerdevice.h"
#include "sheetjobs.h"
#include "testutil.h"
#include "tprinter.h"
#include "tprintercanvas.h"

#include <QPageLayout>
#include <filesystem>
#include <functional>
#include <memory>

namespace cupstest {
namespace {

struct FreshRow
{
    const char* Name;
    const char* FirstPrinter; // the job printed before, with a text only
    QPageLayout::Orientation FirstOrientation;
    std::vector<std::string> Command; // ocrprint-cli's arguments for the same job alone
    std::function<void()> Job;        // the job in this run, on "ocrtest"
};

void PrintTo(const FreshRow& row, std::ostream* os)
{
    *os << row.Name;
}

std::string Sample()
{
    return testutil::SourceDir() + "/examples/ocrdat.prn";
}

void Sheet()
{
    calibration::model::TMeasureState state;
    calibration::model::PrintMeasurementSheet(state);
}

void Declaration()
{
    core::TPrintAdjustment adjustment;
    ASSERT_TRUE(print::PrintDeclaration(adjustment, Sample()).has_value());
}

class FreshJobTest : public CupsTest, public ::testing::WithParamInterface<FreshRow>
{
protected:
    void SetUp() override
    {
        CupsTest::SetUp();
        if (IsSkipped())
            return;
        if (!HavePoppler())
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) are not installed";
    }

    // The page the queue received for the job that run makes after prepare,
    // copied.
    std::string Spooled(const std::function<void()>& prepare, const std::function<void()>& run,
                        const std::string& copy)
    {
        prepare();
        const int before = Scheduler().LastJobId();
        run();
        EXPECT_NE(Scheduler().WaitForJob(before), 0) << "no job finished";
        std::filesystem::copy_file(Scheduler().OutputFile("ocrtest"), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        return copy;
    }

    testutil::TempDir m_dir;
};

TEST_P(FreshJobTest, SpoolsThePageOfANewProcess)
{
    const FreshRow& row = GetParam();
    std::vector<std::string> args{testutil::BinDir() + "/ocrprint-cli"};
    args.insert(args.end(), row.Command.begin(), row.Command.end());
    args.insert(args.end(), {"--printer", "ocrtest", "--settings", m_dir.File("none.ini")});
    const std::string alone = Spooled([] {},
                                      [&] {
                                          bool ok = false;
                                          RunProgram(args, ok);
                                          EXPECT_TRUE(ok);
                                      },
                                      m_dir.File("alone.pdf"));

    const std::string after = Spooled(
        [&] {
            surface::TPrinter& printer = *surface::PrinterObject();
            surface::PrinterSetup first;
            first.Printer = row.FirstPrinter;
            first.Orientation = row.FirstOrientation;
            printer.SetDevice(std::make_unique<surface::PrinterDevice>(first));
            const int before = Scheduler().LastJobId();
            printer.OpenDocument();
            printer.PageCanvas()->PutText(300, 400, "first");
            printer.CloseDocument();
            Scheduler().WaitForJob(before);
            printer.SetDevice(std::make_unique<surface::PrinterDevice>("ocrtest"));
        },
        row.Job, m_dir.File("after.pdf"));

    for (const std::string& path : {alone, after}) {
        SCOPED_TRACE(path);
        const PdfInfo info = ReadPdfInfo(path);
        ASSERT_TRUE(info.Ok);
        // The queue's A4, not Qt's whole points: a spooler centres a page
        // whose size differs.
        EXPECT_NEAR(info.WidthPt, 595.28, 0.005);
        EXPECT_NEAR(info.HeightPt, 841.89, 0.005);
    }
    const GrayImage a = RenderGray(alone, 100, 0, 0, 827, 1169);
    const GrayImage b = RenderGray(after, 100, 0, 0, 827, 1169);
    ASSERT_GT(a.Width, 0);
    ASSERT_EQ(a.Pixels.size(), b.Pixels.size());
    std::size_t differ = 0;
    for (std::size_t i = 0; i < a.Pixels.size(); ++i)
        differ += a.Pixels[i] != b.Pixels[i];
    EXPECT_EQ(differ, 0u) << "the page differs from a new process's in " << differ << " pixels";
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, FreshJobTest,
    ::testing::Values(
        FreshRow{"SheetAfterLandscape", "ocrtest", QPageLayout::Landscape, {"sheet"}, Sheet},
        FreshRow{"SheetAfterAnotherQueue", "ocr300", QPageLayout::Portrait, {"sheet"}, Sheet},
        FreshRow{"DeclarationAfterLandscape",
                 "ocrtest",
                 QPageLayout::Landscape,
                 {"print", "--data", Sample()},
                 Declaration},
        FreshRow{"DeclarationAfterAnotherQueue",
                 "ocr300",
                 QPageLayout::Portrait,
                 {"print", "--data", Sample()},
                 Declaration}),
    [](const ::testing::TestParamInfo<FreshRow>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace cupstest
