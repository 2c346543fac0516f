// Queues, instances and dialog choices that would turn, mirror, frame, impose
// or fit the page: the spooled page (after the scheduler's pdftopdf) is the
// plain queue's, portrait and unrotated, its frame within a dot of where the
// plain queue puts it.
#include "cupsscheduler.h"
#include "pdftools.h"

#include "files.h"
#include "printerdevice.h"
#include "tbrush.h"
#include "tprinter.h"
#include "tprintercanvas.h"

#include <QPageLayout>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>

namespace cupstest {
namespace {

// The dark pixels' first and last index across a band one pixel wide.
std::pair<int, int> DarkExtent(const GrayImage& band)
{
    const bool across = band.Height == 1;
    const int n = across ? band.Width : band.Height;
    int first = -1;
    int last = -1;
    for (int i = 0; i < n; ++i) {
        if ((across ? band.At(i, 0) : band.At(0, i)) < 128) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    return {first, last};
}

// Where the frame lands on the spooled page, in the queue's dots from the
// paper's corner, and what the page is.
struct Landing
{
    PdfInfo Info;
    std::pair<int, int> Across; // the frame's left and right sides
    std::pair<int, int> Down;   // its top and bottom
};

// Prints a frame 30..150 mm across and 120..170 mm down (off the page's
// centre, so that a mirrored or turned page shows) on printer.
Landing PrintFrame(CupsScheduler& cups, const std::string& printer,
                   QPageLayout::Orientation orientation)
{
    surface::PrinterSetup setup;
    setup.Printer = printer;
    setup.Orientation = orientation;
    auto device = std::make_unique<surface::PrinterDevice>(setup);
    const surface::PrinterCaps caps = device->Caps();
    const auto dot = [&](double mm, int offset) {
        return static_cast<int>(caps.DpiX * mm / 25.4) - offset;
    };
    const std::string output = cups.OutputFile(printer.substr(0, printer.find('/')));
    std::filesystem::remove(output);
    const int before = cups.LastJobId();
    {
        surface::TPrinter surfacePrinter;
        surfacePrinter.SetDevice(std::move(device));
        surfacePrinter.OpenDocument();
        surface::TPrinterCanvas& canvas = *surfacePrinter.PageCanvas();
        canvas.Brush().SetStyle(surface::bsClear);
        canvas.Pen().SetWidth(3);
        canvas.DrawRectangle(dot(30, caps.OffsetX), dot(120, caps.OffsetY), dot(150, caps.OffsetX),
                             dot(170, caps.OffsetY));
        surfacePrinter.CloseDocument();
    }
    Landing landing;
    if (cups.WaitForJob(before) == 0)
        return landing;
    landing.Info = ReadPdfInfo(output);
    const int width = static_cast<int>(landing.Info.WidthPt * caps.DpiX / 72);
    const int height = static_cast<int>(landing.Info.HeightPt * caps.DpiX / 72);
    const int middleY = static_cast<int>(caps.DpiX * 145 / 25.4);
    const int middleX = static_cast<int>(caps.DpiX * 90 / 25.4);
    landing.Across =
        DarkExtent(RenderGray(output, caps.DpiX, 0, middleY, std::max(width, height), 1));
    landing.Down =
        DarkExtent(RenderGray(output, caps.DpiX, middleX, 0, 1, std::max(width, height)));
    return landing;
}

struct DrawnRow
{
    const char* Name;
    const char* Printer;
    QPageLayout::Orientation Orientation; // the dialog's choice
};

void PrintTo(const DrawnRow& row, std::ostream* os)
{
    *os << row.Name;
}

// The A4 test queue behind pdftopdf, which carries out what a job or the
// queue asks of the page (turning, mirroring, borders, imposing, fitting), with
// its landscape turned as given.
std::string PdftopdfPpd(const char* landscape)
{
    std::string ppd = CupsScheduler::A4At600Ppd;
    const auto replace = [&](const std::string& from, const std::string& to) {
        ppd.replace(ppd.find(from), from.size(), to);
    };
    replace("*LandscapeOrientation: Plus90", std::string("*LandscapeOrientation: ") + landscape);
    replace("application/pdf application/vnd.cups-pdf 0 gziptoany",
            "application/vnd.cups-pdf application/pdf 0 gziptoany");
    return ppd;
}

class PageAsDrawnTest : public CupsTest, public ::testing::WithParamInterface<DrawnRow>
{
protected:
    static void SetUpTestSuite()
    {
        CupsScheduler* cups = CupsScheduler::Get();
        if (!cups)
            return;
        bool ok = cups->CreateQueue("ocrplain", PdftopdfPpd("Plus90")) &&
                  cups->CreateQueue("ocrplus90", PdftopdfPpd("Plus90")) &&
                  cups->CreateQueue("ocrminus90", PdftopdfPpd("Minus90"));
        for (const char* queue : {"ocrplus90", "ocrminus90"}) {
            RunProgram({"lpadmin", "-h", cups->Server(), "-p", queue, "-o",
                        "orientation-requested-default=4"},
                       ok);
        }
        EXPECT_TRUE(ok) << "the landscape queues were not made";
    }

    static void TearDownTestSuite()
    {
        if (CupsScheduler* cups = CupsScheduler::Get()) {
            cups->DeleteQueue("ocrplain");
            cups->DeleteQueue("ocrplus90");
            cups->DeleteQueue("ocrminus90");
            cups->RestoreQueues();
        }
    }

    void SetUp() override
    {
        CupsTest::SetUp();
        if (IsSkipped())
            return;
        if (!HavePoppler())
            GTEST_SKIP() << "poppler-utils are not installed";
        // Instances of the plain queue, as lpoptions writes them.
        const std::string lpoptions = std::string(std::getenv("CUPS_SERVERROOT")) + "/lpoptions";
        testutil::WriteFileBytes(lpoptions, testutil::ReadFileBytes(lpoptions) +
                                                "Dest ocrplain/landscape landscape\n"
                                                "Dest ocrplain/turned orientation-requested=4\n"
                                                "Dest ocrplain/mirror mirror\n"
                                                "Dest ocrplain/border page-border=double\n"
                                                "Dest ocrplain/twoup number-up=2\n"
                                                "Dest ocrplain/fit fit-to-page\n");
    }

    void TearDown() override
    {
        if (CupsScheduler::Get())
            Scheduler().RestoreQueues();
    }
};

TEST_P(PageAsDrawnTest, SpooledPageIsThePlainQueues)
{
    const DrawnRow& row = GetParam();
    const Landing plain = PrintFrame(Scheduler(), "ocrplain", QPageLayout::Portrait);
    ASSERT_TRUE(plain.Info.Ok);
    ASSERT_GE(plain.Across.first, 0);
    const Landing landing = PrintFrame(Scheduler(), row.Printer, row.Orientation);
    ASSERT_TRUE(landing.Info.Ok) << "no page spooled";
    EXPECT_EQ(landing.Info.Rotate, 0);
    EXPECT_EQ(landing.Info.Pages, 1);
    EXPECT_NEAR(landing.Info.WidthPt, plain.Info.WidthPt, 0.5);
    EXPECT_NEAR(landing.Info.HeightPt, plain.Info.HeightPt, 0.5);
    EXPECT_NEAR(landing.Across.first, plain.Across.first, 1);
    EXPECT_NEAR(landing.Across.second, plain.Across.second, 1);
    EXPECT_NEAR(landing.Down.first, plain.Down.first, 1);
    EXPECT_NEAR(landing.Down.second, plain.Down.second, 1);
}

const auto Portrait = QPageLayout::Portrait;

INSTANTIATE_TEST_SUITE_P(
    Queues, PageAsDrawnTest,
    ::testing::Values(DrawnRow{"LandscapeDefaultPlus90", "ocrplus90", Portrait},
                      DrawnRow{"LandscapeDefaultMinus90", "ocrminus90", Portrait},
                      DrawnRow{"InstanceLandscape", "ocrplain/landscape", Portrait},
                      DrawnRow{"InstanceOrientation4", "ocrplain/turned", Portrait},
                      DrawnRow{"InstanceMirror", "ocrplain/mirror", Portrait},
                      DrawnRow{"InstanceDoubleBorder", "ocrplain/border", Portrait},
                      DrawnRow{"InstanceTwoUp", "ocrplain/twoup", Portrait},
                      DrawnRow{"InstanceFitToPage", "ocrplain/fit", Portrait},
                      DrawnRow{"DialogLandscape", "ocrplain", QPageLayout::Landscape},
                      DrawnRow{"DialogLandscapeOnLandscapeQueue", "ocrplus90",
                               QPageLayout::Landscape}),
    [](const ::testing::TestParamInfo<DrawnRow>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace cupstest
