// The system printer back end's view of a queue: resolution, physical offsets
// and paper as the capability queries see them, and the printer errors.
#include "cupsscheduler.h"

#include "cp932.h"
#include "eprinter.h"
#include "files.h"
#include "printerdevice.h"
#include "scopedenv.h"
#include "tprinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <functional>
#include <memory>
#include <ostream>

namespace cupstest {
namespace {

using surface::PrinterDevice;

const auto Portrait = QPageLayout::Portrait;
const auto Landscape = QPageLayout::Landscape;

struct CapsRow
{
    const char* Name;
    const char* Queue; // "" is the default printer
    QPageLayout::Orientation Orientation;
    surface::CupsOptions DialogOptions; // CUPS options as the print dialog leaves them
    QPageSize ChosenPaper;              // invalid: none chosen
    const char* Paper;
    int Dpi;
    int OffsetX;
    int OffsetY;
};

// Test names, not bytes, in gtest's messages.
void PrintTo(const CapsRow& row, std::ostream* os)
{
    *os << row.Name;
}

class CapsTest : public CupsTest, public ::testing::WithParamInterface<CapsRow>
{
};

TEST_P(CapsTest, MatchTheQueuesDriver)
{
    const CapsRow& row = GetParam();
    // Without a choice, the queue by name, as the command line has it.
    const bool chosen =
        row.Orientation != Portrait || !row.DialogOptions.empty() || row.ChosenPaper.isValid();
    surface::PrinterSetup setup;
    setup.Printer = row.Queue;
    setup.Orientation = row.Orientation;
    setup.JobOptions = row.DialogOptions;
    setup.Paper = row.ChosenPaper;
    PrinterDevice device = chosen ? PrinterDevice(setup) : PrinterDevice(row.Queue);

    EXPECT_EQ(device.Name(), *row.Queue ? row.Queue : "ocrtest");
    EXPECT_EQ(device.Caps().DpiX, row.Dpi);
    EXPECT_EQ(device.Caps().DpiY, row.Dpi);
    EXPECT_EQ(device.Caps().OffsetX, row.OffsetX);
    EXPECT_EQ(device.Caps().OffsetY, row.OffsetY);
    EXPECT_EQ(device.Setup().Paper.key().toStdString(), row.Paper);
    // The form is a portrait page whatever the dialog chose.
    EXPECT_EQ(device.Setup().Orientation, Portrait);
    // Text is measured in printer dots, not in screen pixels.
    EXPECT_EQ(device.MeasureDevice()->logicalDpiY(), row.Dpi);
}

const surface::CupsOptions NoOptions;
const surface::CupsOptions At600 = {{"Resolution", "600dpi"}};
const surface::CupsOptions At300 = {{"Resolution", "300dpi"}};
const QPageSize NoPaper;

INSTANTIATE_TEST_SUITE_P(
    Queues, CapsTest,
    ::testing::Values(
        CapsRow{"DefaultPrinter", "", Portrait, NoOptions, NoPaper, "A4", 600, 100, 100},
        CapsRow{"A4At600", "ocrtest", Portrait, NoOptions, NoPaper, "A4", 600, 100, 100},
        CapsRow{"A4At600Landscape", "ocrtest", Landscape, NoOptions, NoPaper, "A4", 600, 100, 100},
        // 24 pt from the left, 792 - 762 = 30 pt from the top.
        CapsRow{"LetterAt300", "ocr300", Portrait, NoOptions, NoPaper, "Letter", 300, 100, 125},
        CapsRow{"LetterAt600ChosenInDialog", "ocr300", Portrait, At600, NoPaper, "Letter", 600, 200,
                250},
        CapsRow{"LetterAt600ChosenByInstance", "ocr300/fine", Portrait, NoOptions, NoPaper,
                "Letter", 600, 200, 250},
        // The dialog's choice wins over the instance's.
        CapsRow{"LetterAt300ChosenOverInstance", "ocr300/fine", Portrait, At300, NoPaper, "Letter",
                300, 100, 125},
        // Landscape in the dialog turns nothing: the portrait margins hold.
        CapsRow{"LetterAt300Landscape", "ocr300", Landscape, NoOptions, NoPaper, "Letter", 300, 100,
                125},
        // 841.89 - 811.89 = 30 pt from the top of A4 as well.
        CapsRow{"A4ChosenOnLetterQueue", "ocr300", Portrait, NoOptions, QPageSize(QPageSize::A4),
                "A4", 300, 100, 125},
        // A paper the queue does not have becomes its default paper.
        CapsRow{"PaperTheQueueLacks", "ocrtest", Portrait, NoOptions, QPageSize(QPageSize::A3),
                "A4", 600, 100, 100}),
    [](const ::testing::TestParamInfo<CapsRow>& info) { return std::string(info.param.Name); });

struct ErrorRow
{
    const char* Name;
    std::function<void(CupsScheduler&)> Arrange;
    std::function<void()> Act;
    const char* Message; // UTF-8
};

// Test names, not bytes, in gtest's messages.
void PrintTo(const ErrorRow& row, std::ostream* os)
{
    *os << row.Name;
}

class PrinterErrorTest : public CupsTest, public ::testing::WithParamInterface<ErrorRow>
{
protected:
    void TearDown() override
    {
        if (CupsScheduler::Get())
            Scheduler().RestoreQueues();
    }
};

TEST_P(PrinterErrorTest, RaisesEPrinter)
{
    const ErrorRow& row = GetParam();
    row.Arrange(Scheduler());
    if (HasFatalFailure())
        return;
    try {
        row.Act();
        ADD_FAILURE() << "no EPrinter";
    } catch (const core::EPrinter& e) {
        EXPECT_EQ(e.Message(), core::EncodeCp932(row.Message));
    }
}

void Nothing(CupsScheduler&) {}

void NoDefault(CupsScheduler& cups)
{
    ASSERT_TRUE(cups.CreateQueue("ocrgone", CupsScheduler::A4At600Ppd));
    ASSERT_TRUE(cups.SetDefault("ocrgone"));
    ASSERT_TRUE(cups.DeleteQueue("ocrgone"));
}

void NoQueues(CupsScheduler& cups)
{
    ASSERT_TRUE(cups.DeleteQueue("ocrtest"));
    ASSERT_TRUE(cups.DeleteQueue("ocr300"));
}

void OpenOnQueueDeletedAfterChoosing()
{
    CupsScheduler& cups = *CupsScheduler::Get();
    ASSERT_TRUE(cups.CreateQueue("ocrgone", CupsScheduler::A4At600Ppd));
    auto device = std::make_unique<PrinterDevice>("ocrgone");
    ASSERT_TRUE(cups.DeleteQueue("ocrgone"));
    surface::TPrinter printer;
    printer.SetDevice(std::move(device));
    try {
        printer.OpenDocument();
    } catch (...) {
        EXPECT_FALSE(printer.Printing());
        throw;
    }
}

// TMPDIR naming a directory that is not there, or a regular file: no spool
// directory can be made in it (not even by root, and not in / instead).
void OpenWithTemporaryDirectory(const std::string& tmpdir)
{
    const testutil::ScopedEnv env("TMPDIR", tmpdir);
    surface::TPrinter printer;
    printer.SetDevice(std::make_unique<PrinterDevice>("ocrtest"));
    try {
        printer.OpenDocument();
    } catch (...) {
        EXPECT_FALSE(printer.Printing());
        throw;
    }
}

void OpenWithoutATemporaryDirectory()
{
    OpenWithTemporaryDirectory("/nonexistent/ocrprint-test");
}

void OpenWithAFileAsTemporaryDirectory()
{
    const testutil::TempDir dir;
    testutil::WriteFileBytes(dir.File("file"), "x");
    OpenWithTemporaryDirectory(dir.File("file"));
}

constexpr const char* Invalid = "選択したプリンタは有効ではありません";
constexpr const char* NoDefaultPrinter = "デフォルト プリンタが存在しません";

INSTANTIATE_TEST_SUITE_P(
    Cases, PrinterErrorTest,
    ::testing::Values(
        ErrorRow{"UnknownQueue", Nothing, [] { PrinterDevice device("nosuchqueue"); }, Invalid},
        ErrorRow{"DefaultQueueDeleted", NoDefault, [] { PrinterDevice device; }, NoDefaultPrinter},
        ErrorRow{"NoQueueAtAll", NoQueues, [] { PrinterDevice device; }, NoDefaultPrinter},
        ErrorRow{"NoQueueAtAllFirstCapsQuery", NoQueues,
                 [] {
                     surface::TPrinter printer;
                     surface::GetDeviceCaps(printer.DeviceHandle(), surface::LOGPIXELSX);
                 },
                 NoDefaultPrinter},
        ErrorRow{"QueueDeletedAfterChoosing", Nothing, OpenOnQueueDeletedAfterChoosing, Invalid},
        // Not the printer's fault: a message of its own.
        ErrorRow{"TemporaryDirectoryMissing", Nothing, OpenWithoutATemporaryDirectory,
                 "印刷用の一時ファイルを作成できません"},
        ErrorRow{"TemporaryDirectoryIsAFile", Nothing, OpenWithAFileAsTemporaryDirectory,
                 "印刷用の一時ファイルを作成できません"}),
    [](const ::testing::TestParamInfo<ErrorRow>& info) { return std::string(info.param.Name); });

struct OffsetRow
{
    const char* Name;
    const char* Resolution;    // the PPD's DefaultResolution
    const char* ImageableArea; // the A4 area: left, bottom, right, top in points
    int OffsetX;
    int OffsetY;
    int PrintableRight; // the area's right edge in dots, exclusive
};

void PrintTo(const OffsetRow& row, std::ostream* os)
{
    *os << row.Name;
}

class OffsetTest : public CupsTest, public ::testing::WithParamInterface<OffsetRow>
{
protected:
    void TearDown() override
    {
        if (CupsScheduler::Get())
            Scheduler().DeleteQueue("ocroffset");
    }
};

// The physical offsets are the imageable area's corner to the nearest dot,
// from the driver's exact points, not from whole points.
TEST_P(OffsetTest, AreTheImageableAreasCornerToTheDot)
{
    const OffsetRow& row = GetParam();
    std::string ppd = CupsScheduler::A4At600Ppd;
    const auto replace = [&](const std::string& from, const std::string& to) {
        ppd.replace(ppd.find(from), from.size(), to);
    };
    replace("*DefaultResolution: 600dpi", std::string("*DefaultResolution: ") + row.Resolution);
    replace("*ImageableArea A4/A4: \"12 12 583.28 829.89\"",
            std::string("*ImageableArea A4/A4: \"") + row.ImageableArea + "\"");
    ASSERT_TRUE(Scheduler().CreateQueue("ocroffset", ppd));
    PrinterDevice device("ocroffset");
    EXPECT_EQ(device.Caps().OffsetX, row.OffsetX);
    EXPECT_EQ(device.Caps().OffsetY, row.OffsetY);
    const surface::PageArea area = device.Area();
    EXPECT_EQ(area.PrintableLeft, row.OffsetX);
    EXPECT_EQ(area.PrintableTop, row.OffsetY);
    EXPECT_EQ(area.PrintableRight, row.PrintableRight);
}

INSTANTIATE_TEST_SUITE_P(
    Margins, OffsetTest,
    ::testing::Values(
        // 14.17 pt is 236.17 dots at 1200 dpi (whole points would give 233);
        // 841.89 - 821.59 = 20.3 pt is 338.33; 583.28 pt is 9721.33.
        OffsetRow{"At1200", "1200dpi", "14.17 12 583.28 821.59", 236, 338, 9721},
        // 14.17 pt is 118.08 dots at 600 dpi, 20.3 pt 169.17, 583.28 pt 4860.67.
        OffsetRow{"At600", "600dpi", "14.17 12 583.28 821.59", 118, 169, 4861},
        // 14.9 pt: 62.08 dots at 300 dpi, where whole points (15) give 62.5.
        OffsetRow{"At300", "300dpi", "14.9 12 583.28 826.99", 62, 62, 2430}),
    [](const ::testing::TestParamInfo<OffsetRow>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace cupstest
