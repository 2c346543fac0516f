// Calibration works: a file printer that errs like a real one (0.8 % too wide,
// 0.5 % too short, 1.3 mm to the right, 2.1 mm too high) prints the
// measurement sheet; the lengths are measured on its raster as with a ruler
// and read to 0.1 mm; calibrate derives the corrections from them; and then
// the test print and the declaration land where a true printer puts them.
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

#include "clirun.h"
#include "rastermeasure.h"
#include "testutil.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::RunCli;

constexpr int Dpi = 600;
constexpr int Offset = 50;

// How far a print may land from where it belongs once calibrated, and how far
// the uncalibrated printer is off at least.
constexpr double CalibratedMm = 0.3;
constexpr double UncalibratedMm = 0.5;

const QStringList TruePrinter = {"--dpi", "600", "--offset", "50,50"};
const QStringList ErringPrinter = TruePrinter + QStringList{"--printer-error", "0.8,-0.5,1.3,-2.1"};

double Mm(double pixels)
{
    return pixels / Dpi * 25.4;
}

int Pixels(double mm)
{
    return static_cast<int>(mm / 25.4 * Dpi);
}

// What a ruler reads on the sheet's figure, in mm from the paper's edges.
struct SheetMarks
{
    double left, right, top, bottom; // the rectangle's outline
    double crossX, crossY;           // the cross mark's vertical and horizontal line
};

// The figure's long lines, in order: down the page the rectangle's left edge,
// the cross line, the right edge and the Y dimension line; across it the top
// edge, the cross line, the bottom edge and the X dimension line.
std::optional<SheetMarks> MeasureSheet(const std::string& path)
{
    const QImage page = testutil::ReadGrey(path);
    EXPECT_FALSE(page.isNull()) << path;
    const std::vector<double> down = testutil::VerticalLines(page, Pixels(150));
    const std::vector<double> across = testutil::HorizontalLines(page, Pixels(100));
    EXPECT_EQ(down.size(), 4u) << path;
    EXPECT_EQ(across.size(), 4u) << path;
    if (down.size() != 4 || across.size() != 4)
        return std::nullopt;
    return SheetMarks{Mm(down[0]),   Mm(down[2]), Mm(across[0]),
                      Mm(across[2]), Mm(down[1]), Mm(across[1])};
}

// A ruler is read to a tenth of a millimetre.
QString Reading(double mm)
{
    return QString::number(std::round(mm * 10) / 10, 'f', 1);
}

// Steps 1 to 3, once for the suite: the sheet on the erring printer, the
// lengths measured on it, and calibrate into a settings file.
class CalibrationLoop : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new testutil::TempDir;
        const Result sheet =
            RunCli(QStringList{"sheet", "-o", Q(File("sheet.png"))} + ErringPrinter, s_dir->Path());
        ASSERT_EQ(sheet.status, 0) << sheet.err;
        const std::optional<SheetMarks> marks = MeasureSheet(File("sheet.png"));
        ASSERT_TRUE(marks);
        s_sheet = *marks;
        s_lengths = {Reading(marks->right - marks->left), Reading(marks->bottom - marks->top),
                     Reading(marks->crossX), Reading(marks->crossY)};
        const Result calibrate =
            RunCli(QStringList{"calibrate"} + s_lengths +
                       QStringList{"--settings", Q(File("s.ini"))} + ErringPrinter,
                   s_dir->Path());
        ASSERT_EQ(calibrate.status, 0) << calibrate.err;
        s_calibration = calibrate.out;
    }

    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    static std::string File(const std::string& name) { return s_dir->File(name); }

    static testutil::TempDir* s_dir;
    static SheetMarks s_sheet;
    static QStringList s_lengths; // X, Y, A, B as typed
    static std::string s_calibration;
};

testutil::TempDir* CalibrationLoop::s_dir = nullptr;
SheetMarks CalibrationLoop::s_sheet{};
QStringList CalibrationLoop::s_lengths;
std::string CalibrationLoop::s_calibration;

// The control: uncalibrated, the printer is visibly off, so the rest can fail.
TEST_F(CalibrationLoop, TheSheetShowsThePrintersError)
{
    ASSERT_EQ(s_lengths.size(), 4);
    SCOPED_TRACE("measured X Y A B: " + s_lengths.join(' ').toStdString());
    EXPECT_GT(std::abs(s_sheet.right - s_sheet.left - 150), UncalibratedMm);
    EXPECT_GT(std::abs(s_sheet.crossX - 100), UncalibratedMm);
    EXPECT_GT(std::abs(s_sheet.crossY - 150), UncalibratedMm);
    // 150 x 1.008 wide, 200 x 0.995 high, to within a dot or two.
    EXPECT_NEAR(s_sheet.right - s_sheet.left, 151.2, 0.1);
    EXPECT_NEAR(s_sheet.bottom - s_sheet.top, 199.0, 0.1);
    // calibrate took the lengths as read.
    EXPECT_NE(s_calibration.find("MeasuredX " + s_lengths[0].toStdString() + "\nMeasuredY " +
                                 s_lengths[1].toStdString() + "\nMeasuredA " +
                                 s_lengths[2].toStdString() + "\nMeasuredB " +
                                 s_lengths[3].toStdString() + "\n"),
              std::string::npos)
        << s_calibration;
}

TEST_F(CalibrationLoop, TestPrintLandsWhereTheSheetBelongs)
{
    const Result r = RunCli(QStringList{"test-print"} + s_lengths +
                                QStringList{"-o", Q(File("test.png"))} + ErringPrinter,
                            s_dir->Path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::optional<SheetMarks> marks = MeasureSheet(File("test.png"));
    ASSERT_TRUE(marks);
    const struct
    {
        const char* name;
        double measured, nominal;
    } rows[] = {
        {"left edge", marks->left, 10},        {"right edge", marks->right, 160},
        {"top edge", marks->top, 10},          {"bottom edge", marks->bottom, 210},
        {"cross, across", marks->crossX, 100}, {"cross, down", marks->crossY, 150},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(row.measured, row.nominal, CalibratedMm);
    }
}

struct DeclarationRow
{
    const char* name;
    bool calibrated; // with the settings calibrate saved, else the defaults
};

void PrintTo(const DeclarationRow& row, std::ostream* os)
{
    *os << row.name;
}

class CalibratedDeclaration : public CalibrationLoop,
                              public ::testing::WithParamInterface<DeclarationRow>
{
protected:
    // The declaration's frames as traced, in device dots.
    static std::vector<QRect> Frames(const std::string& trace)
    {
        std::vector<QRect> frames;
        for (const QJsonObject& o : testutil::TraceOps(testutil::ReadTrace(trace), "roundrect"))
            frames.push_back(QRect(QPoint(o["x1"].toInt(), o["y1"].toInt()),
                                   QPoint(o["x2"].toInt() - 1, o["y2"].toInt() - 1)));
        return frames;
    }

    static Result PrintDeclaration(const QString& settings, const QStringList& printer,
                                   const std::string& name)
    {
        return RunCli(QStringList{"print", "--data",
                                  Q(testutil::SourceDir() + "/examples/ocrdat.prn"), "--settings",
                                  settings, "-o", Q(File(name + ".png")), "--trace",
                                  Q(File(name + ".jsonl"))} +
                          printer,
                      s_dir->Path());
    }
};

// Where every framed entry's frame lands on the erring printer, compared with
// where a true printer puts it without any correction.
TEST_P(CalibratedDeclaration, FramesLandWhereATruePrinterPutsThem)
{
    const DeclarationRow& row = GetParam();
    const Result nominal =
        PrintDeclaration(Q(testutil::DefaultSettings(File("none.ini"))), TruePrinter, "nominal");
    ASSERT_EQ(nominal.status, 0) << nominal.err;
    const Result printed = PrintDeclaration(
        row.calibrated ? Q(File("s.ini")) : Q(testutil::DefaultSettings(File("none.ini"))),
        ErringPrinter, "decl");
    ASSERT_EQ(printed.status, 0) << printed.err;

    const std::vector<QRect> expected = Frames(File("nominal.jsonl"));
    const std::vector<QRect> traced = Frames(File("decl.jsonl"));
    ASSERT_EQ(expected.size(), 8u);
    ASSERT_EQ(traced.size(), expected.size());
    const QImage page = testutil::ReadGrey(File("decl.png"));
    ASSERT_FALSE(page.isNull());
    // Window: the traced frame on the paper, widened by more than the printer
    // can be off; outer size: the outline through the first and last dot, plus
    // the 0.3 mm pen.
    const int pen = static_cast<int>(Dpi * 0.3 / 25.4);
    const int margin = Pixels(5);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        const QRect window =
            traced[i].translated(Offset, Offset).adjusted(-margin, -margin, margin, margin);
        const QSize outer = expected[i].size() - QSize(1, 1) + QSize(pen, pen);
        const std::optional<testutil::FrameEdges> found = testutil::FindFrame(page, window, outer);
        ASSERT_TRUE(found);
        const QRectF nominalCentres = QRectF(expected[i]).translated(Offset + 0.5, Offset + 0.5);
        const double off[] = {
            Mm(found->Left - nominalCentres.left()),
            Mm(found->Right - (nominalCentres.right() - 1)),
            Mm(found->Top - nominalCentres.top()),
            Mm(found->Bottom - (nominalCentres.bottom() - 1)),
        };
        double worst = 0;
        for (double d : off)
            worst = std::max(worst, std::abs(d));
        const std::string sides = "left " + std::to_string(off[0]) + ", right " +
                                  std::to_string(off[1]) + ", top " + std::to_string(off[2]) +
                                  ", bottom " + std::to_string(off[3]) + " mm";
        if (row.calibrated)
            EXPECT_LE(worst, CalibratedMm) << sides;
        else
            EXPECT_GT(worst, UncalibratedMm) << sides;
    }
}

INSTANTIATE_TEST_SUITE_P(Loop, CalibratedDeclaration,
                         ::testing::Values(DeclarationRow{"Calibrated", true},
                                           DeclarationRow{"UncalibratedControl", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
