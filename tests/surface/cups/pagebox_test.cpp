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
#include "tpen.h"
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

class FreshJobTestBase : public CupsTest
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

class FreshJobTest : public FreshJobTestBase, public ::testing::WithParamInterface<FreshRow>
{
};

TEST_P(FreshJobTest, SpoolsThePageOfANewProcess)
{
    const FreshRow& row = GetParam();
    std::vector<std::string> args{testutil::BinDir() + "/ocrprint-cli"};
    args.insert(args.end(), row.Command.begin(), row.Command.end());
    args.insert(args.end(), {"--printer", "ocrtest"});
    // The sheet is drawn without a correction, and takes no settings file.
    if (row.Command.front() != "sheet")
        args.insert(args.end(), {"--settings", testutil::DefaultSettings(m_dir.File("none.ini"))});
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

struct ClipRow
{
    const char* Name;
    const char* Printer;
    QPageLayout::Orientation Orientation;
};

void PrintTo(const ClipRow& row, std::ostream* os)
{
    *os << row.Name;
}

class ClipTest : public FreshJobTestBase, public ::testing::WithParamInterface<ClipRow>
{
};

// Lines from the paper's edges into the page: only what lies on the printable
// area reaches the paper, as a printer driver has it.
TEST_P(ClipTest, NothingOutsideThePrintableArea)
{
    const ClipRow& row = GetParam();
    surface::PrinterSetup setup;
    setup.Printer = row.Printer;
    setup.Orientation = row.Orientation;
    auto device = std::make_unique<surface::PrinterDevice>(setup);
    const surface::PrinterCaps caps = device->Caps();
    ASSERT_GT(caps.OffsetX, 20);
    ASSERT_GT(caps.OffsetY, 20);
    const std::string queue =
        std::string(row.Printer).substr(0, std::string(row.Printer).find('/'));
    const int before = Scheduler().LastJobId();
    surface::TPrinter printer;
    printer.SetDevice(std::move(device));
    printer.OpenDocument();
    surface::TPrinterCanvas& canvas = *printer.PageCanvas();
    canvas.Pen().SetWidth(9);
    canvas.MovePenTo(-caps.OffsetX, 300); // from the left edge
    canvas.DrawLineTo(200, 300);
    canvas.MovePenTo(300, -caps.OffsetY); // from the top edge
    canvas.DrawLineTo(300, 200);
    printer.CloseDocument();
    ASSERT_NE(Scheduler().WaitForJob(before), 0);

    const GrayImage page = RenderGray(Scheduler().OutputFile(queue), caps.DpiX, 0, 0,
                                      caps.OffsetX + 400, caps.OffsetY + 400);
    ASSERT_GT(page.Width, 0);
    const int row300 = 300 + caps.OffsetY;
    const int column300 = 300 + caps.OffsetX;
    EXPECT_EQ(page.At(caps.OffsetX - 10, row300), 255) << "the line reaches into the left margin";
    EXPECT_LT(page.At(caps.OffsetX + 10, row300), 128) << "the line is missing on the page";
    EXPECT_EQ(page.At(column300, caps.OffsetY - 10), 255) << "the line reaches into the top margin";
    EXPECT_LT(page.At(column300, caps.OffsetY + 10), 128) << "the line is missing on the page";
}

INSTANTIATE_TEST_SUITE_P(
    Queues, ClipTest,
    ::testing::Values(ClipRow{"A4Portrait", "ocrtest", QPageLayout::Portrait},
                      ClipRow{"A4Landscape", "ocrtest", QPageLayout::Landscape},
                      ClipRow{"LetterUnevenMargins", "ocr300", QPageLayout::Portrait}),
    [](const ::testing::TestParamInfo<ClipRow>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace cupstest
