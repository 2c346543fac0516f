// The printer object: documents, the device, its errors and what persists.
#include "printererror.h"
#include "surface_fixture.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace surfacetest;
namespace fs = std::filesystem;

namespace {

const std::string Printing = "EPrinter:現在印刷中です";
const std::string NotPrinting = "EPrinter:プリンタに印刷できる状態ではありません";
const std::string NoDefault = "EPrinter:デフォルト プリンタが存在しません";
const std::string Invalid = "EPrinter:選択したプリンタは有効ではありません";

struct ErrorRow
{
    const char* name;
    bool openFirst;
    std::function<void(surface::TPrinter&)> action;
    std::string message;
};

// Test logs name the row, not its bytes.
void PrintTo(const ErrorRow& row, std::ostream* os)
{
    *os << row.name;
}

class PrinterErrors : public ::testing::TestWithParam<ErrorRow>
{
};

TEST_P(PrinterErrors, RaiseTheirMessage)
{
    const ErrorRow& row = GetParam();
    FilePrinter p("e.png");
    if (row.openFirst)
        p.Printer().OpenDocument();
    EXPECT_EQ(PrinterError([&] { row.action(p.Printer()); }), row.message);
    EXPECT_EQ(p.Printer().Printing(), row.openFirst) << "the state stays as it was";
    if (row.openFirst)
        p.Printer().CloseDocument();
}

void Draw(surface::TPrinter& printer, void (*op)(surface::TPrinterCanvas&))
{
    op(*printer.PageCanvas());
}

INSTANTIATE_TEST_SUITE_P(
    TPrinter, PrinterErrors,
    ::testing::Values(
        ErrorRow{"OpenDocumentTwice", true, [](auto& p) { p.OpenDocument(); }, Printing},
        ErrorRow{"SetDeviceWhilePrinting", true, [](auto& p) { p.SetDevice(nullptr); }, Printing},
        ErrorRow{"PutTextWithoutDocument", false,
                 [](auto& p) { Draw(p, [](auto& c) { c.PutText(0, 0, "A"); }); }, NotPrinting},
        ErrorRow{"DrawLineToWithoutDocument", false,
                 [](auto& p) { Draw(p, [](auto& c) { c.DrawLineTo(5, 5); }); }, NotPrinting},
        ErrorRow{"DrawRectangleWithoutDocument", false,
                 [](auto& p) { Draw(p, [](auto& c) { c.DrawRectangle(0, 0, 5, 5); }); },
                 NotPrinting},
        ErrorRow{"DrawRoundRectWithoutDocument", false,
                 [](auto& p) { Draw(p, [](auto& c) { c.DrawRoundRect(0, 0, 5, 5, 2, 2); }); },
                 NotPrinting},
        ErrorRow{"CloseDocumentWithoutDocument", false, [](auto& p) { p.CloseDocument(); },
                 NotPrinting},
        ErrorRow{"MeasuringWithoutDocumentIsFine", false,
                 [](auto& p) {
                     auto& c = *p.PageCanvas();
                     c.MovePenTo(7, 8);
                     if (c.MeasureText("AB").Width() <= 0 || c.MeasureText("AB").Height() <= 0 ||
                         c.PenX() != 7 || c.PenY() != 8)
                         throw std::runtime_error("bad measurement");
                 },
                 ""},
        ErrorRow{"AbortWithoutDocumentIsFine", false, [](auto& p) { p.AbortDocument(); }, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TPrinter, NoDefaultPrinter)
{
    const struct
    {
        const char* name;
        surface::TPrinter::DeviceFactory factory;
    } rows[] = {
        {"factory finds nothing", [] { return std::unique_ptr<surface::Device>(); }},
        {"factory throws as the system back end does",
         []() -> std::unique_ptr<surface::Device> {
             surface::ThrowPrinterError(surface::MsgNoDefaultPrinter);
         }},
        {"no factory", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        surface::TPrinter printer;
        printer.SetDefaultDeviceFactory(row.factory);
        EXPECT_EQ(PrinterError([&] { printer.DeviceHandle(); }), NoDefault);
        EXPECT_EQ(PrinterError([&] { surface::GetDeviceCaps(printer.DeviceHandle(), 88); }),
                  NoDefault);
        EXPECT_EQ(PrinterError([&] { printer.OpenDocument(); }), NoDefault);
        EXPECT_FALSE(printer.Printing());
        EXPECT_EQ(printer.CurrentDevice(), nullptr);
    }
}

TEST(TPrinter, FactoryIsAskedOnceAndTheDeviceKept)
{
    testutil::TempDir dir;
    int calls = 0;
    surface::TPrinter printer;
    printer.SetDefaultDeviceFactory([&] {
        ++calls;
        return std::make_unique<surface::FileDevice>(Options(dir.File("d.png"), 300, 300, 7, 9));
    });
    EXPECT_EQ(printer.CurrentDevice(), nullptr);
    const surface::HDC first = printer.DeviceHandle();
    EXPECT_EQ(surface::GetDeviceCaps(printer.DeviceHandle(), surface::LOGPIXELSX), 300);
    printer.OpenDocument();
    printer.CloseDocument();
    EXPECT_EQ(printer.DeviceHandle(), first) << "kept after the document";
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(fs::exists(dir.File("d.png")));
}

TEST(TPrinter, DeviceThatCannotStartADocument)
{
    const struct
    {
        const char* name;
        std::string file;
        bool unwritable; // a file that cannot be written is named, not the printer
    } rows[] = {
        {"missing directory", "missing/out.pdf", true},
        {"unknown extension", "out.xyz", false},
        {"no extension", "out", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FilePrinter p(row.file);
        const std::string expected =
            row.unwritable
                ? "EPrinter:" + p.File(row.file) + " に書き込めません: " + std::strerror(ENOENT)
                : Invalid;
        EXPECT_EQ(PrinterError([&] { p.Printer().OpenDocument(); }), expected);
        EXPECT_FALSE(p.Printer().Printing());
        EXPECT_EQ(p.Printer().PageNumber(), 0);
        // Another device then works.
        p.Printer().SetDevice(std::make_unique<surface::FileDevice>(Options(p.File("ok.pdf"))));
        EXPECT_NO_THROW(p.Printer().OpenDocument());
        EXPECT_NO_THROW(p.Printer().CloseDocument());
        EXPECT_TRUE(fs::exists(p.File("ok.pdf")));
        EXPECT_FALSE(fs::exists(p.Path()));
    }
}

TEST(TPrinter, FlagsFollowTheDocument)
{
    FilePrinter p("f.png");
    auto& printer = p.Printer();
    EXPECT_TRUE(printer.DocumentTitle.empty());
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 0);
    printer.OpenDocument();
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 1);
    printer.CloseDocument();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 0);
    EXPECT_EQ(printer.PageCanvas(), printer.PageCanvas());
}

TEST(TPrinter, CapabilitiesOfTheFilePrinter)
{
    const struct
    {
        const char* name;
        int index;
        int value;
    } rows[] = {
        {"LOGPIXELSX", 88, 600},          {"LOGPIXELSY", 90, 300},
        {"PHYSICALOFFSETX", 112, 71},     {"PHYSICALOFFSETY", 113, 35},
        {"HORZRES is not offered", 8, 0},
    };
    FilePrinter p("c.png", 600, 300, 71, 35);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(surface::GetDeviceCaps(p.Printer().DeviceHandle(), row.index), row.value);
    }
}

TEST(TPrinter, AbortAfterAFailureLetsTheNextDocumentOpen)
{
    for (const char* file : {"job.pdf", "job.png"}) {
        SCOPED_TRACE(file);
        FilePrinter p(file);
        auto& printer = p.Printer();
        printer.OpenDocument();
        p.Canvas().PutText(0, 0, "A");
        EXPECT_EQ(PrinterError([&] { printer.OpenDocument(); }), Printing);
        printer.AbortDocument();
        EXPECT_FALSE(printer.Printing());
        EXPECT_TRUE(fs::is_empty(fs::path(p.Path()).parent_path())) << "no file, no temporary";
        EXPECT_EQ(p.TraceLines().back(), "{\"op\":\"abort\"}");
        EXPECT_EQ(PrinterError([&] { p.Canvas().PutText(0, 0, "A"); }), NotPrinting);
        printer.OpenDocument();
        p.Canvas().PutText(0, 0, "B");
        printer.CloseDocument();
        EXPECT_TRUE(fs::exists(p.Path()));
        EXPECT_EQ(p.TraceLines().back(), "{\"op\":\"close\"}");
    }
}

TEST(TPrinter, CanvasStatePersistsAcrossDocuments)
{
    FilePrinter p("s.png", 300, 300);
    auto& printer = p.Printer();
    auto& c = p.Canvas();
    printer.DocumentTitle = "OCR";
    printer.OpenDocument();
    c.Font().SetSize(14);
    c.Pen().SetWidth(4);
    c.Brush().SetStyle(surface::bsClear);
    c.MovePenTo(30, 40);
    printer.CloseDocument();

    printer.OpenDocument();
    EXPECT_EQ(c.Font().Size(), 14);
    EXPECT_EQ(c.Font().Height(), -58);
    EXPECT_EQ(c.Pen().Width(), 4);
    EXPECT_EQ(c.Brush().Style(), surface::bsClear);
    EXPECT_EQ(c.Brush().Color(), surface::clWhite);
    EXPECT_EQ(c.PenX(), 30);
    EXPECT_EQ(c.PenY(), 40);
    EXPECT_EQ(printer.DocumentTitle, "OCR");
    printer.CloseDocument();
    const std::vector<std::string> expected{
        R"({"op":"open","version":1,"title":"OCR","dpi_x":300,"dpi_y":300,"offset_x":0,"offset_y":0})",
        R"({"op":"moveto","x":30,"y":40})",
        R"({"op":"close"})",
        R"({"op":"open","version":1,"title":"OCR","dpi_x":300,"dpi_y":300,"offset_x":0,"offset_y":0})",
        R"({"op":"close"})",
    };
    EXPECT_EQ(p.TraceLines(), expected);
}

TEST(TPrinter, DestructionEndsAnOpenDocument)
{
    testutil::TempDir dir;
    {
        surface::TPrinter printer;
        printer.SetDevice(std::make_unique<surface::FileDevice>(Options(dir.File("end.png"))));
        printer.OpenDocument();
        printer.PageCanvas()->DrawRectangle(0, 0, 50, 50);
    }
    const QImage image = ReadGrey(dir.File("end.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(DarkInRow(image, 0, 0, 100), 50);
}

TEST(PrinterObject, IsOneObjectForTheProcess)
{
    testutil::TempDir dir;
    surface::TPrinter* printer = surface::PrinterObject();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(surface::PrinterObject(), printer);
    printer->SetDevice(std::make_unique<surface::FileDevice>(Options(dir.File("po.pdf"))));
    printer->DocumentTitle = Sjis("測定");
    surface::PrinterObject()->OpenDocument();
    surface::PrinterObject()->PageCanvas()->Font().SetSize(12);
    surface::PrinterObject()->PageCanvas()->PutText(10, 10, Sjis("申告"));
    EXPECT_EQ(PrinterError([] { surface::PrinterObject()->OpenDocument(); }), Printing);
    surface::PrinterObject()->CloseDocument();
    EXPECT_TRUE(fs::exists(dir.File("po.pdf")));
    EXPECT_EQ(surface::PrinterObject()->PageCanvas()->Font().Height(), -100);
    printer->SetDevice(nullptr);
}

} // namespace
