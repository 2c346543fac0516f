// What the canvas paints, read back from the file printer's PNG: pen widths,
// exclusive shape corners, the line's end point, text cells and clipping.
#include "surface_fixture.h"

#include <gtest/gtest.h>

using namespace surfacetest;
using surface::bsClear;
using surface::bsSolid;

namespace {

// Device (0, 0) is PNG pixel (OffX, OffY).
constexpr int OffX = 20;
constexpr int OffY = 10;

struct PenRow
{
    const char* name;
    std::vector<int> widths; // set in this order
    std::string columns;     // dark columns of a vertical line at x = 100
    std::string rows;        // dark rows of a horizontal line at y = 300
};

// Test logs name the row, not its bytes.
void PrintTo(const PenRow& row, std::ostream* os)
{
    *os << row.name;
}

class PenWidth : public ::testing::TestWithParam<PenRow>
{
};

TEST_P(PenWidth, LineIsAsWideAsThePen)
{
    const PenRow& row = GetParam();
    FilePrinter p("pen.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    for (int w : row.widths)
        p.Canvas().Pen().SetWidth(w);
    p.Canvas().MovePenTo(100, 100);
    p.Canvas().DrawLineTo(100, 200);
    p.Canvas().MovePenTo(300, 300);
    p.Canvas().DrawLineTo(400, 300);
    const QImage image = p.CloseAndRead();
    EXPECT_EQ(DarkColumnsAt(image, OffY + 150, 0, 300), row.columns);
    EXPECT_EQ(DarkRowsAt(image, OffX + 350, 0, 400), row.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, PenWidth,
    ::testing::Values(PenRow{"DefaultIsOneDot", {}, "120..120", "310..310"},
                      PenRow{"ZeroIsOneDot", {0}, "120..120", "310..310"},
                      PenRow{"OneIsOneDot", {1}, "120..120", "310..310"},
                      PenRow{"FiveIsFiveDotsCentred", {5}, "118..122", "308..312"},
                      PenRow{"TwoIsTwoDots", {2}, "119..120", "309..310"},
                      PenRow{"MinusOneKeepsFive", {5, -1}, "118..122", "308..312"},
                      PenRow{"MinusOneKeepsZero", {0, -1}, "120..120", "310..310"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LineRow
{
    const char* name;
    int x0, y0, x1, y1;
    std::vector<std::pair<int, int>> dark;  // device pixels painted
    std::vector<std::pair<int, int>> light; // device pixels left alone
};

// Test logs name the row, not its bytes.
void PrintTo(const LineRow& row, std::ostream* os)
{
    *os << row.name;
}

class LineEnd : public ::testing::TestWithParam<LineRow>
{
};

TEST_P(LineEnd, EndPointIsNotPainted)
{
    const LineRow& row = GetParam();
    FilePrinter p("line.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    p.Canvas().MovePenTo(row.x0, row.y0);
    p.Canvas().DrawLineTo(row.x1, row.y1);
    EXPECT_EQ(p.Canvas().PenX(), row.x1);
    EXPECT_EQ(p.Canvas().PenY(), row.y1);
    const QImage image = p.CloseAndRead();
    for (auto [x, y] : row.dark)
        EXPECT_TRUE(Dark(image, OffX + x, OffY + y)) << "(" << x << ", " << y << ")";
    for (auto [x, y] : row.light)
        EXPECT_FALSE(Dark(image, OffX + x, OffY + y)) << "(" << x << ", " << y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, LineEnd,
    ::testing::Values(
        LineRow{"RightwardColumns10To19", 10, 5, 20, 5, {{10, 5}, {19, 5}}, {{9, 5}, {20, 5}}},
        LineRow{"LeftwardColumns20Down11", 20, 5, 10, 5, {{20, 5}, {11, 5}}, {{10, 5}, {21, 5}}},
        LineRow{"DownwardRows5To14", 50, 5, 50, 15, {{50, 5}, {50, 14}}, {{50, 4}, {50, 15}}},
        LineRow{"UpwardRows15Down6", 50, 15, 50, 5, {{50, 15}, {50, 6}}, {{50, 5}, {50, 16}}},
        LineRow{"Diagonal",
                100,
                100,
                110,
                110,
                {{100, 100}, {105, 105}, {109, 109}},
                {{110, 110}, {100, 110}}},
        LineRow{"ZeroLengthPaintsNothing", 60, 60, 60, 60, {}, {{60, 60}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The 14 x 14 neighbourhood of a shape at device (0, 0) to (10, 10): which
// pixels are dark, row by row.
std::vector<std::string> Neighbourhood(const QImage& image)
{
    std::vector<std::string> rows;
    for (int y = -2; y < 12; ++y) {
        std::string r;
        for (int x = -2; x < 12; ++x)
            r += Dark(image, OffX + x, OffY + y) ? '#' : '.';
        rows.push_back(r);
    }
    return rows;
}

TEST(CanvasShapes, RectangleRightAndBottomAreExclusive)
{
    FilePrinter p("rect.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    p.Canvas().Brush().SetStyle(bsClear);
    p.Canvas().DrawRectangle(0, 0, 10, 10);
    const std::vector<std::string> expected{
        "..............", "..............", "..##########..", "..#........#..", "..#........#..",
        "..#........#..", "..#........#..", "..#........#..", "..#........#..", "..#........#..",
        "..#........#..", "..##########..", "..............", ".............."};
    EXPECT_EQ(Neighbourhood(p.CloseAndRead()), expected);
}

TEST(CanvasShapes, SwappedCornersDrawTheSameRectangle)
{
    FilePrinter p("rect.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    p.Canvas().Brush().SetStyle(bsClear);
    p.Canvas().DrawRectangle(10, 10, 0, 0);
    const QImage image = p.CloseAndRead();
    EXPECT_EQ(DarkColumnsAt(image, OffY + 5, OffX - 2, OffX + 12), "20..20,29..29");
    EXPECT_EQ(DarkRowsAt(image, OffX + 5, OffY - 2, OffY + 12), "10..10,19..19");
}

struct FillRow
{
    const char* name;
    surface::TBrushStyle brush;
    int darkInside; // of the 8 x 8 interior, over a black area drawn first
};

// Test logs name the row, not its bytes.
void PrintTo(const FillRow& row, std::ostream* os)
{
    *os << row.name;
}

class RectangleFill : public ::testing::TestWithParam<FillRow>
{
};

TEST_P(RectangleFill, InteriorFollowsTheBrush)
{
    const FillRow& row = GetParam();
    FilePrinter p("fill.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    p.Canvas().Pen().SetWidth(30);
    p.Canvas().MovePenTo(-10, 5);
    p.Canvas().DrawLineTo(30, 5); // black over rows -10..19
    p.Canvas().Pen().SetWidth(1);
    p.Canvas().Brush().SetStyle(row.brush);
    p.Canvas().DrawRectangle(0, 0, 10, 10);
    const QImage image = p.CloseAndRead();
    EXPECT_EQ(DarkIn(image, OffX + 1, OffY + 1, OffX + 9, OffY + 9), row.darkInside);
    // The outline itself and what lies outside stay black either way.
    EXPECT_EQ(DarkIn(image, OffX, OffY, OffX + 10, OffY + 10) - row.darkInside, 36);
    EXPECT_EQ(DarkInRow(image, OffY + 5, OffX + 10, OffX + 30), 20);
}

INSTANTIATE_TEST_SUITE_P(Canvas, RectangleFill,
                         ::testing::Values(FillRow{"SolidPaintsWhite", bsSolid, 0},
                                           FillRow{"ClearLeavesInterior", bsClear, 64}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CanvasShapes, WidePenIsCentredOnTheOutline)
{
    FilePrinter p("wide.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    p.Canvas().Brush().SetStyle(bsClear);
    p.Canvas().Pen().SetWidth(3);
    p.Canvas().DrawRectangle(100, 100, 200, 200);
    const QImage image = p.CloseAndRead();
    EXPECT_EQ(DarkColumnsAt(image, OffY + 150, 0, 300), "119..121,218..220");
    EXPECT_EQ(DarkRowsAt(image, OffX + 150, 0, 300), "109..111,208..210");
}

TEST(CanvasShapes, RoundRectCornersAreQuarterEllipses)
{
    FilePrinter p("round.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    p.Canvas().Brush().SetStyle(bsClear);
    p.Canvas().DrawRoundRect(100, 100, 200, 180, 40, 20);
    const QImage image = p.CloseAndRead();
    // Straight parts on the exclusive outline.
    EXPECT_EQ(DarkColumnsAt(image, OffY + 140, 0, 300), "120..120,219..219");
    EXPECT_EQ(DarkRowsAt(image, OffX + 150, 0, 300), "110..110,189..189");
    // The top edge is straight only between the two corner ellipses (40 wide):
    // 10 dots in, the arc is already two rows lower.
    EXPECT_TRUE(Dark(image, OffX + 121, OffY + 100));
    EXPECT_TRUE(Dark(image, OffX + 179, OffY + 100));
    EXPECT_FALSE(Dark(image, OffX + 110, OffY + 100));
    EXPECT_FALSE(Dark(image, OffX + 189, OffY + 100));
    EXPECT_TRUE(Dark(image, OffX + 110, OffY + 102) || Dark(image, OffX + 110, OffY + 101));
    EXPECT_FALSE(Dark(image, OffX + 100, OffY + 100));
    EXPECT_FALSE(Dark(image, OffX + 199, OffY + 179));
    // 10 dots high ellipse quarters: the left edge is straight from y 110 on.
    EXPECT_TRUE(Dark(image, OffX + 100, OffY + 110));
    EXPECT_FALSE(Dark(image, OffX + 100, OffY + 102));
}

TEST(CanvasText, SolidBrushPaintsTheCellWhite)
{
    for (const auto style : {bsSolid, bsClear}) {
        SCOPED_TRACE(style == bsSolid ? "bsSolid" : "bsClear");
        FilePrinter p("text.png", 600, 600, OffX, OffY);
        p.Printer().OpenDocument();
        auto& c = p.Canvas();
        c.Font().SetSize(12);
        c.Pen().SetWidth(200);
        c.MovePenTo(0, 150);
        c.DrawLineTo(600, 150); // black rows 50..249
        c.Brush().SetStyle(style);
        const std::string text = "ABC";
        const int w = c.MeasureText(text).Width();
        const int h = c.MeasureText(text).Height();
        c.PutText(100, 100, text);
        const QImage image = p.CloseAndRead();
        const int cell = DarkIn(image, OffX + 100, OffY + 100, OffX + 100 + w, OffY + 100 + h);
        if (style == bsSolid) {
            // Only the glyphs are dark: far less than the whole cell.
            EXPECT_GT(cell, 0);
            EXPECT_LT(cell, w * h / 2);
        } else {
            EXPECT_EQ(cell, w * h);
        }
        // Next to the cell the black area is untouched.
        EXPECT_EQ(DarkInColumn(image, OffX + 99, OffY + 100, OffY + 100 + h), h);
        EXPECT_EQ(DarkInColumn(image, OffX + 100 + w, OffY + 100, OffY + 100 + h), h);
    }
}

TEST(CanvasText, JapaneseTextStaysInsideItsCell)
{
    FilePrinter p("jp.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetSize(14);
    const std::string text = Sjis("誤差測定用紙（未調整）");
    ASSERT_EQ(text.size(), 22u);
    const int w = c.MeasureText(text).Width();
    const int h = c.MeasureText(text).Height();
    c.PutText(40, 50, text);
    const QImage image = p.CloseAndRead();
    const int inside = DarkIn(image, OffX + 40, OffY + 50, OffX + 40 + w, OffY + 50 + h);
    const int all = DarkIn(image, 0, 0, image.width(), image.height());
    EXPECT_GT(inside, w * h / 20) << "the glyphs are drawn";
    EXPECT_EQ(all, inside) << "nothing outside the cell";
    // Eleven characters of a 117 dot font, none wider than the em, the
    // proportional brackets narrower.
    EXPECT_LE(w, 11 * 117 + 2);
    EXPECT_GE(w, 11 * 117 * 3 / 4);
}

TEST(CanvasText, TextTopIsTheCellTop)
{
    FilePrinter p("top.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.Font().SetSize(24);
    const std::string text = Sjis("■");
    const int h = c.MeasureText(text).Height();
    c.PutText(100, 100, text);
    const QImage image = p.CloseAndRead();
    // The square sits between the top and the baseline, well inside the cell.
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (DarkInRow(image, y, 0, image.width()) > 0) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    ASSERT_GE(first, 0);
    EXPECT_GE(first - OffY, 100);
    EXPECT_LT(last - OffY, 100 + h);
    EXPECT_LT(first - OffY, 100 + h / 4);
}

TEST(CanvasText, BrokenShiftJisDrawsWithoutFailing)
{
    const struct
    {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"lone lead byte", "\x81"},
        {"lead byte at the end", "AB\x82"},
        {"undefined bytes", "\xFF\xFD\xA0\x80"},
        {"bad trail byte", "\x88\x20Z"},
        {"control characters", std::string("a\tb\nc\0d", 7)},
    };
    FilePrinter p("broken.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    int y = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int w = c.MeasureText(row.bytes).Width();
        EXPECT_GT(w, 0);
        EXPECT_NO_THROW(c.PutText(10, y, row.bytes));
        EXPECT_EQ(c.PenX(), 10 + w);
        y += 80;
    }
    EXPECT_NO_THROW(p.Printer().CloseDocument());
}

TEST(CanvasClipping, OutsideThePrintableAreaIsCutOff)
{
    FilePrinter p("clip.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.MovePenTo(-15, 5);
    c.DrawLineTo(30, 5);
    c.MovePenTo(5, -8);
    c.DrawLineTo(5, 30);
    c.Brush().SetStyle(bsClear);
    c.Font().SetSize(12);
    c.PutText(-40, 100, "WWWW");
    const QImage image = p.CloseAndRead();
    EXPECT_EQ(DarkColumnsAt(image, OffY + 5, 0, 100), "20..49");
    EXPECT_EQ(DarkRowsAt(image, OffX + 5, 0, 100), "10..39");
    EXPECT_EQ(DarkIn(image, 0, 0, OffX, image.height()), 0);
    EXPECT_GT(DarkIn(image, OffX, OffY + 100, OffX + 100, OffY + 300), 0);
}

TEST(CanvasClipping, ExtremeCoordinatesStayOnTheirLine)
{
    constexpr std::int32_t Min = -2147483647 - 1;
    constexpr std::int32_t Max = 2147483647;
    FilePrinter p("extreme.png", 600, 600, OffX, OffY);
    p.Printer().OpenDocument();
    auto& c = p.Canvas();
    c.MovePenTo(Min, 100);
    c.DrawLineTo(Max, 100);
    c.MovePenTo(200, Max);
    c.DrawLineTo(200, Min);
    c.Brush().SetStyle(bsClear);
    c.DrawRectangle(Min, Min, Max, Max);
    c.DrawRoundRect(Min, 300, Max, Max, Max, Min);
    c.PutText(Max, Max, "A");
    EXPECT_EQ(c.PenX(), Max + 0LL + c.MeasureText("A").Width() - 4294967296LL);
    c.PutText(Min, 0, "A");
    const QImage image = p.CloseAndRead();
    const int printW = image.width() - 2 * OffX;
    const int printH = image.height() - 2 * OffY;
    EXPECT_EQ(DarkInRow(image, OffY + 100, OffX, OffX + printW), printW);
    EXPECT_EQ(DarkInColumn(image, OffX + 200, OffY, OffY + printH), printH);
    // Only the vertical line crosses this row: the shapes' outlines lie far
    // outside and the texts start off the page.
    EXPECT_EQ(DarkInRow(image, OffY + 50, OffX, OffX + printW), 1);
}

} // namespace
