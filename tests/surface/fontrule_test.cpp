// The font-size rule, the device font it selects and the text metrics.
#include "fonts.h"
#include "surface_fixture.h"

#include <QFont>
#include <QFontInfo>
#include <gtest/gtest.h>

using namespace surfacetest;

namespace {

struct SizeRow
{
    const char* name;
    int ppi;
    int size;
    int height;
    int sizeBack; // Size() read back from the height
};

// Test logs name the row, not its bytes.
void PrintTo(const SizeRow& row, std::ostream* os)
{
    *os << row.name;
}

class FontSizeRule : public ::testing::TestWithParam<SizeRow>
{
};

TEST_P(FontSizeRule, HeightIsMinusMulDivOfSize)
{
    const SizeRow& row = GetParam();
    surface::TFont font;
    font.SyncPixelsPerInch(row.ppi);
    font.SetSize(row.size);
    EXPECT_EQ(font.Height(), row.height);
    EXPECT_EQ(font.Size(), row.sizeBack);
}

INSTANTIATE_TEST_SUITE_P(TFont, FontSizeRule,
                         ::testing::Values(SizeRow{"Twelve_600dpi", 600, 12, -100, 12},
                                           SizeRow{"Fourteen_300dpi_RoundsDown", 300, 14, -58, 14},
                                           SizeRow{"Fourteen_600dpi_RoundsUp", 600, 14, -117, 14},
                                           SizeRow{"Nine_300dpi_HalfAwayFromZero", 300, 9, -38, 9},
                                           SizeRow{"Nine_96dpi", 96, 9, -12, 9},
                                           SizeRow{"Zero_IsDeviceDefault", 600, 0, 0, 0},
                                           SizeRow{"MinusTen_600dpi_IsCellHeight", 600, -10, 83,
                                                   -10},
                                           SizeRow{"Overflow_IsMinusOne", 600, 2147483647, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TFont, StartsAtNinePointsOnTheScreen)
{
    surface::TFont font;
    EXPECT_EQ(font.PixelsPerInch(), 96);
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 9);
}

TEST(TFont, SyncKeepsThePointSize)
{
    const struct
    {
        const char* name;
        int sizeAt96;
        int ppi;
        int height;
    } rows[] = {
        {"default 9 to 600", 9, 600, -75},
        {"default 9 to 300", 9, 300, -38},
        {"14 (-19 at 96, 14.25 back) to 600", 14, 600, -117},
        {"same resolution changes nothing", 10, 96, -13},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        surface::TFont font;
        font.SetSize(row.sizeAt96);
        font.SyncPixelsPerInch(row.ppi);
        EXPECT_EQ(font.PixelsPerInch(), row.ppi);
        EXPECT_EQ(font.Height(), row.height);
    }
}

TEST(PrinterFont, OpenDocumentBringsTheFontToThePrinter)
{
    FilePrinter p("a.png", 600, 600);
    auto& font = p.Canvas().Font();
    EXPECT_EQ(font.Height(), -12);
    p.Printer().OpenDocument();
    EXPECT_EQ(font.PixelsPerInch(), 600);
    EXPECT_EQ(font.Height(), -75);
    EXPECT_EQ(font.Size(), 9);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -100);
    p.Printer().CloseDocument();

    // The next printer has another resolution: the size in points stays.
    p.Printer().SetDevice(
        std::make_unique<surface::FileDevice>(Options(p.File("b.png"), 300, 300)));
    p.Printer().OpenDocument();
    EXPECT_EQ(font.Height(), -50);
    font.SetSize(14);
    EXPECT_EQ(font.Height(), -58);
    EXPECT_EQ(font.Size(), 14);
    p.Printer().CloseDocument();
}

TEST(PrinterFont, DrawingResyncsAFontChangedBehindItsBack)
{
    FilePrinter p("a.png", 600, 600);
    p.Printer().OpenDocument();
    auto& font = p.Canvas().Font();
    font.SyncPixelsPerInch(96);
    font.SetSize(12); // -16 at 96
    p.Canvas().PutText(0, 0, "x");
    EXPECT_EQ(font.PixelsPerInch(), 600);
    EXPECT_EQ(font.Height(), -100);
    p.Printer().CloseDocument();
}

struct DeviceFontRow
{
    const char* name;
    int dpiX;
    int dpiY;
    int height;
    int pixelSize;
};

// Test logs name the row, not its bytes.
void PrintTo(const DeviceFontRow& row, std::ostream* os)
{
    *os << row.name;
}

class DeviceFontHeight : public ::testing::TestWithParam<DeviceFontRow>
{
};

TEST_P(DeviceFontHeight, SelectsThePixelSize)
{
    const DeviceFontRow& row = GetParam();
    FilePrinter p("f.png", row.dpiX, row.dpiY);
    p.Canvas().Font().SetHeight(row.height);
    const QFont font = p.Canvas().DeviceFont();
    EXPECT_EQ(font.pixelSize(), row.pixelSize);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(font.family(), surface::PrintFaceName());
    EXPECT_EQ(font.stretch(), row.dpiX == row.dpiY ? 0 : 100 * row.dpiX / row.dpiY);
    EXPECT_EQ(font.hintingPreference(), QFont::PreferNoHinting);
    EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, DeviceFontHeight,
    ::testing::Values(DeviceFontRow{"NegativeIsCharacterHeight", 600, 600, -100, 100},
                      DeviceFontRow{"ZeroIsTwelvePoints_600", 600, 600, 0, 100},
                      DeviceFontRow{"ZeroIsTwelvePoints_300", 300, 300, 0, 50},
                      DeviceFontRow{"HugeIsClamped", 600, 600, -833333, 16384},
                      DeviceFontRow{"MostNegative", 600, 600, -2147483647 - 1, 16384},
                      DeviceFontRow{"OblongDotsStretch", 600, 300, -50, 50},
                      DeviceFontRow{"OblongDotsShrink", 300, 600, -50, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceFont, RendersInAJapaneseFace)
{
    surface::InstallFontSubstitutions();
    FilePrinter p("f.png");
    const QString family = QFontInfo(p.Canvas().DeviceFont()).family();
    EXPECT_TRUE(family == "IPAPGothic" || family == "Noto Sans CJK JP") << family.toStdString();
    EXPECT_EQ(surface::DefaultFaceName(), QStringLiteral(u"ＭＳ Ｐゴシック"));
    // The canvas asks for the installed stand-in directly.
    EXPECT_EQ(surface::PrintFaceName().compare(family, Qt::CaseInsensitive), 0);
    // Qt keeps substitutes in lower case.
    EXPECT_EQ(QFont::substitute(QStringLiteral("MS UI Gothic")), QStringLiteral("ipapgothic"));
    EXPECT_EQ(QFont::substitute(QStringLiteral(u"ＭＳ ゴシック")), QStringLiteral("ipagothic"));
    EXPECT_EQ(QFont::substitutes(QStringLiteral("MS Sans Serif")).value(0),
              QStringLiteral("dejavu sans"));
    // Installing twice adds nothing.
    const QStringList before = QFont::substitutes(surface::DefaultFaceName());
    surface::InstallFontSubstitutions();
    EXPECT_EQ(QFont::substitutes(surface::DefaultFaceName()), before);
}

TEST(TextMetrics, CellHeightIsAscentPlusDescentOfTheFont)
{
    FilePrinter p("m.png");
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    for (const int size : {9, 10, 12, 14, 24}) {
        SCOPED_TRACE(size);
        c.Font().SetSize(size);
        const int characterHeight = -c.Font().Height();
        const int cell = c.MeasureText("A").Height();
        EXPECT_GT(cell, characterHeight) << "the internal leading";
        EXPECT_LT(cell, characterHeight * 3 / 2);
        EXPECT_EQ(c.MeasureText(Sjis("日本語のテキスト")).Height(), cell);
        EXPECT_EQ(c.MeasureText(".").Height(), cell);
    }
    EXPECT_EQ(c.MeasureText("").Height(), 0);
    EXPECT_EQ(c.MeasureText("").Width(), 0);
    p.Printer().CloseDocument();
}

TEST(TextMetrics, WidthGrowsWithTheText)
{
    FilePrinter p("m.png");
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.Font().SetSize(12);
    const int one = c.MeasureText(Sjis("申")).Width();
    const int two = c.MeasureText(Sjis("申告")).Width();
    const int four = c.MeasureText(Sjis("申告申告")).Width();
    EXPECT_GT(one, 50);
    EXPECT_GT(two, one);
    EXPECT_NEAR(four, 2 * two, 2);
    EXPECT_LT(c.MeasureText("i").Width(), c.MeasureText("W").Width()) << "proportional face";
    // Twice the size, about twice the width.
    c.Font().SetSize(24);
    EXPECT_NEAR(c.MeasureText(Sjis("申告申告")).Width(), 2 * four, 4);
    p.Printer().CloseDocument();
}

TEST(TextMetrics, PositiveHeightMatchesTheCellHeight)
{
    FilePrinter p("m.png");
    auto& c = p.Canvas();
    for (const int height : {20, 83, 100, 250, 1000}) {
        SCOPED_TRACE(height);
        c.Font().SetHeight(height);
        EXPECT_NEAR(c.MeasureText("A").Height(), height, 1 + height / 200);
    }
}

TEST(TextMetrics, OblongDotsKeepThePhysicalShape)
{
    // At 600 x 300 dpi a character is twice as many dots wide as at 300 x 300.
    FilePrinter square("s.png", 300, 300);
    FilePrinter oblong("o.png", 600, 300);
    const std::string text = Sjis("申告書の印刷");
    for (FilePrinter* p : {&square, &oblong}) {
        p->Printer().OpenDocument();
        p->Canvas().Font().SetSize(12);
    }
    EXPECT_EQ(oblong.Canvas().MeasureText(text).Height(),
              square.Canvas().MeasureText(text).Height());
    EXPECT_NEAR(oblong.Canvas().MeasureText(text).Width(),
                2 * square.Canvas().MeasureText(text).Width(),
                square.Canvas().MeasureText(text).Width() / 50);
    for (FilePrinter* p : {&square, &oblong})
        p->Printer().CloseDocument();
}

TEST(TextMetrics, ExtremeSizesNeverFail)
{
    const struct
    {
        const char* name;
        std::int32_t size;
        int minCell;
        int maxCell;
    } rows[] = {
        {"largest int: overflow, height 1", 2147483647, 1, 3},
        {"smallest int: overflow, height 1", -2147483647 - 1, 1, 3},
        {"100000 points: clamped", 100000, 16384, 16384 * 3 / 2},
        {"one point", 1, 8, 10},
        {"zero: twelve points", 0, 101, 150},
    };
    FilePrinter p("x.png");
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.Brush().SetStyle(surface::bsSolid);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        c.Font().SetSize(row.size);
        const int cell = c.MeasureText("A").Height();
        EXPECT_GE(cell, row.minCell);
        EXPECT_LE(cell, row.maxCell);
        EXPECT_NO_THROW(c.PutText(10, 10, Sjis("あA")));
    }
    EXPECT_NO_THROW(p.Printer().CloseDocument());
}

} // namespace
