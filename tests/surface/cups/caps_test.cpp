// The system printer back end's view of a queue: resolution, physical offsets
// and paper as the capability queries see them, and the printer errors.
#include "cupsfixture.h"

#include "cp932.h"
#include "eprinter.h"
#include "printerdevice.h"
#include "tprinter.h"

#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>
#include <functional>
#include <memory>
#include <ostream>

namespace cupstest {
namespace {

using surface::PrinterDevice;

const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

struct CapsRow
{
    const char* Name;
    const char* Queue; // "" is the default printer
    QPageLayout::Orientation Orientation;
    QStringList DialogOptions; // CUPS options as the print dialog leaves them
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
    PrinterDevice device(row.Queue);
    QPrinter* printer = device.Printer();
    if (row.Orientation != QPageLayout::Portrait || !row.DialogOptions.isEmpty()) {
        printer->setPageOrientation(row.Orientation);
        printer->printEngine()->setProperty(CupsOptionsKey, row.DialogOptions);
        device.ApplyLayout();
    }

    EXPECT_EQ(device.Name(), *row.Queue ? row.Queue : "ocrtest");
    EXPECT_EQ(device.Caps().DpiX, row.Dpi);
    EXPECT_EQ(device.Caps().DpiY, row.Dpi);
    EXPECT_EQ(device.Caps().OffsetX, row.OffsetX);
    EXPECT_EQ(device.Caps().OffsetY, row.OffsetY);
    EXPECT_EQ(printer->pageLayout().pageSize().key().toStdString(), row.Paper);
    EXPECT_EQ(printer->pageLayout().orientation(), row.Orientation);
    // Text is measured in printer dots, not in screen pixels.
    EXPECT_EQ(device.MeasureDevice()->logicalDpiY(), row.Dpi);
}

const QStringList NoOptions;

INSTANTIATE_TEST_SUITE_P(
    Queues, CapsTest,
    ::testing::Values(
        CapsRow{"DefaultPrinter", "", QPageLayout::Portrait, NoOptions, "A4", 600, 100, 100},
        CapsRow{"A4At600", "ocrtest", QPageLayout::Portrait, NoOptions, "A4", 600, 100, 100},
        CapsRow{"A4At600Landscape", "ocrtest", QPageLayout::Landscape, NoOptions, "A4", 600, 100,
                100},
        // 24 pt from the left, 792 - 762 = 30 pt from the top.
        CapsRow{"LetterAt300", "ocr300", QPageLayout::Portrait, NoOptions, "Letter", 300, 100, 125},
        CapsRow{"LetterAt600ChosenInDialog", "ocr300", QPageLayout::Portrait,
                QStringList{"Resolution", "600dpi"}, "Letter", 600, 200, 250},
        // Turned counter-clockwise: the bottom margin (36 pt) is on the left,
        // the left one (24 pt) on top.
        CapsRow{"LetterAt300Landscape", "ocr300", QPageLayout::Landscape, NoOptions, "Letter", 300,
                150, 100}),
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
        ErrorRow{"QueueDeletedAfterChoosing", Nothing, OpenOnQueueDeletedAfterChoosing, Invalid}),
    [](const ::testing::TestParamInfo<ErrorRow>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace cupstest
