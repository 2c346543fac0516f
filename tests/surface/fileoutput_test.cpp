// The file printer's PDF and PNG, checked with poppler's tools and read back.
#include "surface_fixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

using namespace surfacetest;
namespace fs = std::filesystem;

namespace {

// Runs a poppler tool on a file; an empty optional when it is not installed.
std::optional<QString> Poppler(const QString& tool, const QStringList& args)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

#define POPPLER_OR_SKIP(var, tool, ...)                                                            \
    const auto var##Opt = Poppler(tool, __VA_ARGS__);                                              \
    if (!var##Opt)                                                                                 \
        GTEST_SKIP() << tool << " (poppler-utils) is not installed";                               \
    const QString& var = *var##Opt

double Field(const QString& text, const QString& pattern)
{
    const QRegularExpressionMatch m = QRegularExpression(pattern).match(text);
    return m.hasMatch() ? m.captured(1).toDouble() : NAN;
}

TEST(FilePrinterPdf, OnePageOfThePaperWithEmbeddedFonts)
{
    const struct
    {
        const char* name;
        surface::PaperSize paper;
        int dpiX, dpiY;
    } rows[] = {
        {"A4 at 600", {"A4", 210, 297}, 600, 600},
        {"B5 at 300 x 600", {"B5", 182, 257}, 300, 600},
        {"Letter at 360", {"Letter", 215.9, 279.4}, 360, 360},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FilePrinter p("doc.pdf", row.dpiX, row.dpiY, 50, 60, row.paper);
        p.Printer().DocumentTitle = Sjis("誤差測定");
        p.Printer().OpenDocument();
        p.Canvas().Font().SetSize(12);
        p.Canvas().PutText(300, 400, Sjis("申告書"));
        p.Printer().CloseDocument();
        const QString path = QString::fromStdString(p.Path());
        POPPLER_OR_SKIP(info, "pdfinfo", {path});
        EXPECT_EQ(Field(info, R"(Pages:\s+(\d+))"), 1) << info.toStdString();
        const double w = Field(info, R"(Page size:\s+([\d.]+) x)");
        const double h = Field(info, R"(Page size:\s+[\d.]+ x ([\d.]+) pts)");
        EXPECT_NEAR(w, row.paper.WidthMm / 25.4 * 72, 0.6);
        EXPECT_NEAR(h, row.paper.HeightMm / 25.4 * 72, 0.6);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(u"Title:\\s+誤差測定\n"))))
            << info.toStdString();
        POPPLER_OR_SKIP(fonts, "pdffonts", {path});
        const QStringList lines = fonts.split('\n', Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 3) << fonts.toStdString();
        for (int i = 2; i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].contains(
                QRegularExpression(R"(\s+yes\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)")))
                << "not embedded: " << lines[i].toStdString();
        }
    }
}

TEST(FilePrinterPdf, TextLandsAtItsDots)
{
    const struct
    {
        const char* name;
        int dpiX, dpiY, offX, offY, x, y;
    } rows[] = {
        {"600 dpi, no offset", 600, 600, 0, 0, 600, 1200},
        {"600 dpi with offsets", 600, 600, 118, 100, 300, 900},
        {"300 dpi with offsets", 300, 300, 50, 71, 150, 450},
        {"600 x 300 dpi", 600, 300, 100, 50, 1200, 600},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FilePrinter p("t.pdf", row.dpiX, row.dpiY, row.offX, row.offY, {"A4", 210, 297});
        p.Printer().OpenDocument();
        auto& c = p.Canvas();
        c.Brush().SetStyle(surface::bsClear);
        c.Font().SetSize(20);
        c.PutText(row.x, row.y, "OCRPRINT");
        const int width = c.MeasureText("OCRPRINT").Width();
        p.Printer().CloseDocument();
        POPPLER_OR_SKIP(html, "pdftotext", {"-bbox", QString::fromStdString(p.Path()), "-"});
        const QRegularExpressionMatch m =
            QRegularExpression(
                R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">OCRPRINT<)re")
                .match(html);
        ASSERT_TRUE(m.hasMatch()) << html.toStdString();
        const double dotX = 72.0 / row.dpiX;
        const double dotY = 72.0 / row.dpiY;
        EXPECT_NEAR(m.captured(1).toDouble(), (row.x + row.offX) * dotX, dotX);
        EXPECT_NEAR(m.captured(3).toDouble() - m.captured(1).toDouble(), width * dotX, 3 * dotX);
        // pdftotext boxes the glyphs from the font's ascent: the cell's top.
        const double top = (row.y + row.offY) * dotY;
        EXPECT_NEAR(m.captured(2).toDouble(), top, 2 * dotY);
    }
}

TEST(FilePrinterPng, WholePaperAtTheResolution)
{
    const struct
    {
        const char* name;
        surface::PaperSize paper;
        int dpiX, dpiY, offX, offY;
        int width, height;
    } rows[] = {
        {"A4 at 200", {"A4", 210, 297}, 200, 200, 30, 40, 1654, 2339},
        {"B5 at 150 x 300", {"B5", 182, 257}, 150, 300, 10, 0, 1075, 3035},
        {"small at 600", SmallPaper, 600, 600, 0, 0, 945, 709},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FilePrinter p("page.png", row.dpiX, row.dpiY, row.offX, row.offY, row.paper);
        p.Printer().OpenDocument();
        p.Printer().CloseDocument();
        const QImage raw(QString::fromStdString(p.Path()));
        ASSERT_FALSE(raw.isNull());
        EXPECT_EQ(raw.width(), row.width);
        EXPECT_EQ(raw.height(), row.height);
        EXPECT_NEAR(raw.dotsPerMeterX() * 0.0254, row.dpiX, 0.5);
        EXPECT_NEAR(raw.dotsPerMeterY() * 0.0254, row.dpiY, 0.5);
        const QImage image = ReadGrey(p.Path());
        const auto grey = [&](int x, int y) { return qGray(image.pixel(x, y)); };
        const int w = row.width;
        const int h = row.height;
        // Margin shaded all round, the printable area white; nothing dark.
        EXPECT_EQ(grey(row.offX, row.offY), 255);
        EXPECT_EQ(grey(w - row.offX - 1, h - row.offY - 1), 255);
        if (row.offX > 0) {
            EXPECT_LT(grey(row.offX - 1, h / 2), 255);
            EXPECT_LT(grey(w - row.offX, h / 2), 255);
            EXPECT_GT(grey(0, h / 2), 128);
        }
        if (row.offY > 0) {
            EXPECT_LT(grey(w / 2, row.offY - 1), 255);
            EXPECT_LT(grey(w / 2, h - row.offY), 255);
        }
        EXPECT_EQ(DarkIn(image, 0, 0, w, h), 0);
    }
}

TEST(FilePrinterPng, NegativeCoordinatesAreCutOff)
{
    FilePrinter p("neg.png", 300, 300, 30, 30, SmallPaper);
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.Pen().SetWidth(10);
    c.Brush().SetStyle(surface::bsClear);
    c.DrawRectangle(-20, -20, 20, 20);
    const QImage image = p.CloseAndRead();
    // The part of the frame at -20 lies in the margin and is not printed.
    EXPECT_EQ(DarkIn(image, 0, 0, 30, image.height()), 0);
    EXPECT_EQ(DarkIn(image, 0, 0, image.width(), 30), 0);
    // The part at 20 (columns 14..23 of the device) is.
    EXPECT_EQ(DarkColumnsAt(image, 40, 30, 80), "44..53");
}

TEST(FilePrinter, AnAbortedDocumentLeavesNoFile)
{
    for (const char* file : {"a.pdf", "a.PNG", "a.Pdf"}) {
        SCOPED_TRACE(file);
        testutil::TempDir dir;
        surface::FileDevice device(Options(dir.File(file)));
        ASSERT_NE(device.StartDocument("t"), nullptr);
        device.AbortDocument();
        EXPECT_TRUE(fs::is_empty(dir.Path()));
        ASSERT_NE(device.StartDocument("t"), nullptr);
        const surface::DocumentOutput output = device.EndDocument();
        EXPECT_TRUE(output.Delivered);
        EXPECT_EQ(output.File, dir.File(file));
        EXPECT_TRUE(fs::exists(dir.File(file)));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    }
}

TEST(FilePrinter, AnOpenDocumentIsDiscardedWithTheDevice)
{
    testutil::TempDir dir;
    {
        surface::FileDevice device(Options(dir.File("gone.pdf")));
        device.StartDocument("t");
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(FilePrinter, InvalidSettingsFailAtStartDocument)
{
    const struct
    {
        const char* name;
        int dpiX, dpiY, offX, offY;
    } rows[] = {
        {"zero dpi", 0, 600, 0, 0},
        {"negative dpi", 600, -300, 0, 0},
        {"negative offset", 600, 600, -1, 0},
        {"offsets cover the paper", 600, 600, 0, 400},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        testutil::TempDir dir;
        surface::FileDevice device(
            Options(dir.File("x.png"), row.dpiX, row.dpiY, row.offX, row.offY, SmallPaper));
        EXPECT_EQ(PrinterError([&] { device.StartDocument("t"); }),
                  "EPrinter:選択したプリンタは有効ではありません");
        EXPECT_NE(device.MeasureDevice(), nullptr) << "measuring still works";
        EXPECT_TRUE(fs::is_empty(dir.Path()));
    }
}

TEST(FilePrinter, PaperSizesByName)
{
    const struct
    {
        const char* name;
        bool found;
        double w, h;
    } rows[] = {
        {"A4", true, 210, 297},
        {"a3", true, 297, 420},
        {"B4", true, 257, 364},
        {"b5", true, 182, 257},
        {"LETTER", true, 215.9, 279.4},
        {"Legal", true, 215.9, 355.6},
        {"A5", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        surface::PaperSize paper{"unchanged", 1, 2};
        EXPECT_EQ(surface::FindPaperSize(row.name, paper), row.found);
        if (row.found) {
            EXPECT_DOUBLE_EQ(paper.WidthMm, row.w);
            EXPECT_DOUBLE_EQ(paper.HeightMm, row.h);
        } else {
            EXPECT_EQ(paper.Name, "unchanged");
        }
    }
    EXPECT_EQ(surface::FileDevice(Options("/tmp/x.pdf")).Name(), "file:/tmp/x.pdf");
}

TEST(FilePrinter, MeasuresAtItsOwnResolution)
{
    for (const int dpi : {300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        surface::FileDevice device(Options("x.png", dpi, dpi));
        EXPECT_EQ(device.MeasureDevice()->logicalDpiX(), dpi);
        EXPECT_EQ(device.MeasureDevice()->logicalDpiY(), dpi);
    }
}

} // namespace
