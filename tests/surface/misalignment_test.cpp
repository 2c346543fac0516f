// The file printer with a printer error of its own: what the program draws
// lands stretched and shifted on the paper, the margins stay where they are,
// and the capabilities are those of a true printer.
#include "surface_fixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

using namespace surfacetest;

namespace {

constexpr int Dpi = 600;
constexpr int OffX = 20;
constexpr int OffY = 10;

// The outline of DrawRectangle(100, 120, 700, 500) with a 5-dot pen.
constexpr int X1 = 100;
constexpr int Y1 = 120;
constexpr int X2 = 700;
constexpr int Y2 = 500;
constexpr int Pen = 5;

// A run of dark pixels along a row or column: first and last pixel.
struct DarkRun
{
    int first;
    int last;
    double Centre() const { return (first + last + 1) / 2.0; }
    int Length() const { return last - first + 1; }
};

std::vector<DarkRun> RunsInRow(const QImage& image, int y)
{
    std::vector<DarkRun> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (!Dark(image, x, y))
            continue;
        if (!runs.empty() && runs.back().last == x - 1)
            runs.back().last = x;
        else
            runs.push_back({x, x});
    }
    return runs;
}

std::vector<DarkRun> RunsInColumn(const QImage& image, int x)
{
    std::vector<DarkRun> runs;
    for (int y = 0; y < image.height(); ++y) {
        if (!Dark(image, x, y))
            continue;
        if (!runs.empty() && runs.back().last == y - 1)
            runs.back().last = y;
        else
            runs.push_back({y, y});
    }
    return runs;
}

// Where a misaligned printer puts the centre of the device column or row d:
// paper pixel centre d + offset + 0.5, stretched, then shifted.
double Lands(int d, int offset, double stretchPercent, double shiftMm)
{
    return (d + offset + 0.5) * (1 + stretchPercent / 100) + shiftMm / 25.4 * Dpi;
}

surface::FilePrinterOptions MisalignedOptions(const std::string& path,
                                              const surface::Misalignment& error)
{
    surface::FilePrinterOptions o = Options(path, Dpi, Dpi, OffX, OffY);
    o.Error = error;
    return o;
}

// One page on a printer of its own: draw(canvas) between open and close.
template <typename Draw> void PrintPage(const surface::FilePrinterOptions& options, Draw draw)
{
    surface::TPrinter printer;
    printer.SetDevice(std::make_unique<surface::FileDevice>(options));
    printer.OpenDocument();
    draw(*printer.PageCanvas());
    printer.CloseDocument();
}

void DrawOutline(surface::TPrinterCanvas& canvas)
{
    canvas.Brush().SetStyle(surface::bsClear);
    canvas.Pen().SetWidth(Pen);
    canvas.DrawRectangle(X1, Y1, X2, Y2);
}

struct ErrorRow
{
    const char* name;
    surface::Misalignment error;
};

void PrintTo(const ErrorRow& row, std::ostream* os)
{
    *os << row.name;
}

// Checks the outline's four edges on the raster against where the error puts them.
void ExpectOutlineLandsAt(const QImage& image, const surface::Misalignment& e, double penTolerance)
{
    const double left = Lands(X1, OffX, e.StretchX, e.ShiftX);
    const double right = Lands(X2 - 1, OffX, e.StretchX, e.ShiftX);
    const double top = Lands(Y1, OffY, e.StretchY, e.ShiftY);
    const double bottom = Lands(Y2 - 1, OffY, e.StretchY, e.ShiftY);

    const std::vector<DarkRun> across = RunsInRow(image, static_cast<int>((top + bottom) / 2));
    ASSERT_EQ(across.size(), 2u);
    EXPECT_NEAR(across[0].Centre(), left, 0.6);
    EXPECT_NEAR(across[1].Centre(), right, 0.6);
    const std::vector<DarkRun> down = RunsInColumn(image, static_cast<int>((left + right) / 2));
    ASSERT_EQ(down.size(), 2u);
    EXPECT_NEAR(down[0].Centre(), top, 0.6);
    EXPECT_NEAR(down[1].Centre(), bottom, 0.6);
    // The pen is stretched with everything else.
    EXPECT_NEAR(across[0].Length(), Pen * (1 + e.StretchX / 100), penTolerance);
    EXPECT_NEAR(down[1].Length(), Pen * (1 + e.StretchY / 100), penTolerance);
}

class Misaligned : public ::testing::TestWithParam<ErrorRow>
{
};

TEST_P(Misaligned, PngOutlineLandsStretchedAndShifted)
{
    const ErrorRow& row = GetParam();
    testutil::TempDir dir;
    const std::string path = dir.File("rect.png");
    PrintPage(MisalignedOptions(path, row.error), DrawOutline);
    ExpectOutlineLandsAt(ReadGrey(path), row.error, 1.0);
}

TEST_P(Misaligned, PdfOutlineLandsStretchedAndShifted)
{
    const ErrorRow& row = GetParam();
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    testutil::TempDir dir;
    const std::string path = dir.File("rect.pdf");
    PrintPage(MisalignedOptions(path, row.error), DrawOutline);
    QProcess process;
    process.start("pdftoppm", {"-r", QString::number(Dpi), "-gray", "-aa", "no", "-aaVector", "no",
                               "-png", "-singlefile", QString::fromStdString(path),
                               QString::fromStdString(dir.File("page"))});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    // poppler's rasteriser may give a band one pixel more.
    ExpectOutlineLandsAt(ReadGrey(dir.File("page.png")), row.error, 1.5);
}

// 600 dpi: 2.54 mm is exactly 60 dots.
INSTANTIATE_TEST_SUITE_P(
    FilePrinter, Misaligned,
    ::testing::Values(ErrorRow{"NoError", {}}, ErrorRow{"ShiftOnly", {0, 0, 2.54, -2.54}},
                      ErrorRow{"StretchOnly", {3, 3, 0, 0}},
                      ErrorRow{"WiderShorterRightUp", {0.8, -0.5, 1.3, -2.1}},
                      ErrorRow{"NarrowerTallerLeftDown", {-1.5, 2, -0.7, 0.9}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClipRow
{
    const char* name;
    surface::Misalignment error;
    bool leftCut; // the outline along the left and top edge is pushed out
};

void PrintTo(const ClipRow& row, std::ostream* os)
{
    *os << row.name;
}

class MisalignedClip : public ::testing::TestWithParam<ClipRow>
{
};

// An outline along the printable area's edges: the side the error pushes
// outwards is cut off at the unmoved margin, the other side moves inwards.
TEST_P(MisalignedClip, MarginsStayWhereThePaperHasThem)
{
    const ClipRow& row = GetParam();
    testutil::TempDir dir;
    const std::string path = dir.File("edge.png");
    const surface::FilePrinterOptions options = MisalignedOptions(path, row.error);
    const int paperW = static_cast<int>(std::lround(SmallPaper.WidthMm / 25.4 * Dpi));
    const int paperH = static_cast<int>(std::lround(SmallPaper.HeightMm / 25.4 * Dpi));
    const int printW = paperW - 2 * OffX;
    const int printH = paperH - 2 * OffY;
    PrintPage(options, [&](surface::TPrinterCanvas& canvas) {
        canvas.Brush().SetStyle(surface::bsClear);
        canvas.Pen().SetWidth(3);
        canvas.DrawRectangle(0, 0, printW, printH);
    });
    const QImage image = ReadGrey(path);
    ASSERT_EQ(image.width(), paperW);
    ASSERT_EQ(image.height(), paperH);
    EXPECT_EQ(DarkIn(image, 0, 0, OffX, paperH), 0);
    EXPECT_EQ(DarkIn(image, paperW - OffX, 0, paperW, paperH), 0);
    EXPECT_EQ(DarkIn(image, 0, 0, paperW, OffY), 0);
    EXPECT_EQ(DarkIn(image, 0, paperH - OffY, paperW, paperH), 0);

    const auto& e = row.error;
    const double left = Lands(0, OffX, e.StretchX, e.ShiftX);
    const double right = Lands(printW - 1, OffX, e.StretchX, e.ShiftX);
    const double top = Lands(0, OffY, e.StretchY, e.ShiftY);
    const double bottom = Lands(printH - 1, OffY, e.StretchY, e.ShiftY);
    const std::vector<DarkRun> across = RunsInRow(image, paperH / 2);
    const std::vector<DarkRun> down = RunsInColumn(image, paperW / 2);
    ASSERT_EQ(across.size(), 1u);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_NEAR(across[0].Centre(), row.leftCut ? right : left, 1.0);
    EXPECT_NEAR(down[0].Centre(), row.leftCut ? bottom : top, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    FilePrinter, MisalignedClip,
    ::testing::Values(ClipRow{"ShiftRightDownCutsRightAndBottom", {0, 0, 1, 1}, false},
                      ClipRow{"ShiftLeftUpCutsLeftAndTop", {0, 0, -1, -1}, true},
                      ClipRow{"StretchCutsRightAndBottom", {2, 2, 0, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The dark pixels' bounding box: left, top, right, bottom (exclusive).
std::array<int, 4> InkBox(const QImage& image)
{
    std::array<int, 4> box = {image.width(), image.height(), 0, 0};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Dark(image, x, y))
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1),
                       std::max(box[3], y + 1)};
    return box;
}

TEST(MisalignedText, TextIsStretchedAndShiftedLikeLines)
{
    testutil::TempDir dir;
    auto text = [](surface::TPrinterCanvas& canvas) {
        canvas.Brush().SetStyle(surface::bsClear);
        canvas.Font().SetSize(16);
        canvas.PutText(60, 100, Sjis("申告ABC"));
    };
    const surface::Misalignment error{5, -4, 0.5, 0.3};
    PrintPage(MisalignedOptions(dir.File("true.png"), {}), text);
    PrintPage(MisalignedOptions(dir.File("err.png"), error), text);
    const std::array<int, 4> t = InkBox(ReadGrey(dir.File("true.png")));
    const std::array<int, 4> e = InkBox(ReadGrey(dir.File("err.png")));
    ASSERT_LT(t[0], t[2]);
    const double sx = 1 + error.StretchX / 100;
    const double sy = 1 + error.StretchY / 100;
    const double dx = error.ShiftX / 25.4 * Dpi;
    const double dy = error.ShiftY / 25.4 * Dpi;
    EXPECT_NEAR(e[0], t[0] * sx + dx, 1.5);
    EXPECT_NEAR(e[1], t[1] * sy + dy, 1.5);
    EXPECT_NEAR(e[2], t[2] * sx + dx, 1.5);
    EXPECT_NEAR(e[3], t[3] * sy + dy, 1.5);
}

TEST(MisalignedCaps, ThePrinterReportsWhatATruePrinterWould)
{
    surface::FileDevice device(MisalignedOptions("x.png", {0.8, -0.5, 1.3, -2.1}));
    EXPECT_EQ(device.Caps().DpiX, Dpi);
    EXPECT_EQ(device.Caps().DpiY, Dpi);
    EXPECT_EQ(device.Caps().OffsetX, OffX);
    EXPECT_EQ(device.Caps().OffsetY, OffY);
}

TEST(MisalignedCaps, ZeroErrorGivesTheSameBytesAsNone)
{
    testutil::TempDir dir;
    auto draw = [](surface::TPrinterCanvas& canvas) {
        DrawOutline(canvas);
        canvas.Font().SetSize(12);
        canvas.PutText(150, 200, Sjis("誤差"));
    };
    PrintPage(Options(dir.File("plain.png"), Dpi, Dpi, OffX, OffY), draw);
    PrintPage(MisalignedOptions(dir.File("zero.png"), {0, 0, 0, 0}), draw);
    PrintPage(MisalignedOptions(dir.File("tiny.png"), {0, 0, 0.1, 0}), draw);
    const std::string plain = testutil::ReadFileBytes(dir.File("plain.png"));
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("zero.png")), plain);
    // A tenth of a millimetre is more than two dots at 600 dpi: it shows.
    EXPECT_NE(testutil::ReadFileBytes(dir.File("tiny.png")), plain);
}

TEST(MisalignedCaps, ImplausibleErrorIsAnInvalidPrinter)
{
    testutil::TempDir dir;
    for (const surface::Misalignment& error :
         {surface::Misalignment{-100, 0, 0, 0}, surface::Misalignment{0, 0, NAN, 0}}) {
        surface::FileDevice device(MisalignedOptions(dir.File("x.png"), error));
        EXPECT_EQ(PrinterError([&] { device.StartDocument("t"); }),
                  "EPrinter:選択したプリンタは有効ではありません");
    }
}

} // namespace
