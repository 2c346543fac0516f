// Calibrating from a scan: the measurement sheet from a file printer that errs
// like a real one, laid on a simulated scanner (turned, on a dark or grey
// background, blurred, noisy, JPEG, with the scanner's own stretch), is
// measured to 0.05 mm of what the printer drew; the test print corrected from
// those lengths lands within 0.2 mm of the nominal figure. Then the scans it
// must refuse, each with what to do.
#include <QImageReader>
#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

#include "clirun.h"
#include "files.h"
#include "rastermeasure.h"
#include "scanmeasure.h"
#include "scansim.h"
#include "testutil.h"

namespace {

using calibration::model::ScanProblem;
using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::ScanConditions;

// The derivation limits a scale correction to 10 dpi: 1.7 % of a 600 dpi
// printer. The printers that stretch by 2 % print at
// 400 dpi (2.5 %), so that their test print can land.
constexpr int PrinterDpi = 600;
constexpr double LengthMm = 0.05;
constexpr double LandsMm = 0.2;

double Mm(double pixels, int dpi)
{
    return pixels / dpi * 25.4;
}

int Pixels(double mm, int dpi)
{
    return static_cast<int>(mm / 25.4 * dpi);
}

// The figure's long lines as the printer drew them, in mm from the paper's
// edges: the centres of the dark columns and rows of its own raster.
struct Drawn
{
    double left, cross, right, top, crossY, bottom;
    double X() const { return right - left; }
    double Y() const { return bottom - top; }
};

std::optional<Drawn> DrawnLines(const QImage& page, int dpi)
{
    const std::vector<double> down = testutil::VerticalLines(page, Pixels(150, dpi));
    const std::vector<double> across = testutil::HorizontalLines(page, Pixels(100, dpi));
    const auto list = [dpi](const std::vector<double>& lines) {
        std::string text;
        for (double p : lines)
            text += " " + std::to_string(Mm(p, dpi));
        return text;
    };
    EXPECT_EQ(down.size(), 4u) << list(down);
    EXPECT_EQ(across.size(), 4u) << list(across);
    if (down.size() != 4 || across.size() != 4)
        return std::nullopt;
    return Drawn{Mm(down[0], dpi),   Mm(down[1], dpi),   Mm(down[2], dpi),
                 Mm(across[0], dpi), Mm(across[1], dpi), Mm(across[2], dpi)};
}

void ExpectLines(const Drawn& d, double x, double y, double cross, double crossY, double within)
{
    EXPECT_NEAR(d.X(), x, within);
    EXPECT_NEAR(d.Y(), y, within);
    EXPECT_NEAR(d.cross, cross, within);
    EXPECT_NEAR(d.crossY, crossY, within);
}

struct PrinterError
{
    double sx, sy, dx, dy; // percent, mm
    int dpi = PrinterDpi;
    QString Option() const { return QStringLiteral("%1,%2,%3,%4").arg(sx).arg(sy).arg(dx).arg(dy); }
};

// The printed sheets, one per printer error, for the whole suite.
class ScanSuite : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_dir = new testutil::TempDir; }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
        s_pages.clear();
    }

    static QStringList Printer(const PrinterError& e)
    {
        return {"--dpi", QString::number(e.dpi), "--printer-error", e.Option()};
    }

    static const QImage& Sheet(const PrinterError& e)
    {
        const QString key = e.Option() + "@" + QString::number(e.dpi);
        auto found = s_pages.find(key);
        if (found != s_pages.end())
            return found->second;
        const std::string file = s_dir->File("sheet" + std::to_string(s_pages.size()) + ".png");
        const Result r = RunCli(QStringList{"sheet", "-o", Q(file)} + Printer(e), s_dir->Path());
        EXPECT_EQ(r.status, 0) << r.err;
        return s_pages[key] = testutil::ReadGrey(file);
    }

    static std::string SaveScan(const QImage& scan, bool jpeg)
    {
        const std::string file = s_dir->File(jpeg ? "scan.jpg" : "scan.png");
        EXPECT_TRUE(scan.save(Q(file), jpeg ? "JPEG" : "PNG", jpeg ? 75 : -1));
        return file;
    }

    static testutil::TempDir* s_dir;
    static std::map<QString, QImage> s_pages;
};

testutil::TempDir* ScanSuite::s_dir = nullptr;
std::map<QString, QImage> ScanSuite::s_pages;

struct AccuracyRow
{
    const char* name;
    PrinterError printer;
    ScanConditions scan;
    bool jpeg;
};

void PrintTo(const AccuracyRow& row, std::ostream* os)
{
    *os << row.name;
}

class ScanAccuracy : public ScanSuite, public ::testing::WithParamInterface<AccuracyRow>
{
};

TEST_P(ScanAccuracy, MeasuresWhatThePrinterDrewAndTheTestPrintLands)
{
    const AccuracyRow& row = GetParam();
    const QImage& sheet = Sheet(row.printer);
    ASSERT_FALSE(sheet.isNull());
    const std::optional<Drawn> drawn = DrawnLines(sheet, row.printer.dpi);
    ASSERT_TRUE(drawn);
    // What the printer drew is the figure with its error, to the dots it
    // is drawn in and its pen's width.
    const double dot = 2.5 * 25.4 / row.printer.dpi;
    const double sx = 1 + row.printer.sx / 100, sy = 1 + row.printer.sy / 100;
    ExpectLines(*drawn, 150 * sx, 200 * sy, 100 * sx + row.printer.dx, 150 * sy + row.printer.dy,
                dot);

    const std::string file =
        SaveScan(testutil::SimulateScan(sheet, row.printer.dpi, row.scan), row.jpeg);
    QImageReader reader(Q(file));
    const QImage scan = reader.read();
    ASSERT_FALSE(scan.isNull()) << reader.errorString().toStdString();
    std::optional<calibration::model::ScanSettings> settings =
        calibration::model::RecordedResolution(scan);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->DpiX, row.scan.Dpi);
    settings->StretchX = row.scan.StretchX;
    settings->StretchY = row.scan.StretchY;
    const calibration::model::ScanResult result = calibration::model::MeasureScan(scan, *settings);
    ASSERT_EQ(result.Problem, ScanProblem::None) << calibration::model::ScanProblemText(result);
    const calibration::model::ScanMeasurement& m = result.Measurement;
    const std::string lengths = "measured X " + std::to_string(m.X) + " Y " + std::to_string(m.Y) +
                                " A " + std::to_string(m.A) + " B " + std::to_string(m.B) +
                                ", residual " + std::to_string(m.ResidualMm) + " mm";
    SCOPED_TRACE(lengths);
    EXPECT_NEAR(m.X, drawn->X(), LengthMm);
    EXPECT_NEAR(m.Y, drawn->Y(), LengthMm);
    EXPECT_NEAR(m.A, drawn->cross, LengthMm);
    EXPECT_NEAR(m.B, drawn->crossY, LengthMm);
    EXPECT_LT(std::abs(m.SkewDegrees), calibration::model::CrookedFeedDegrees);
    EXPECT_EQ(calibration::model::CrookedFeedWarning(m), "");
    EXPECT_EQ(m.UpsideDown, std::abs(row.scan.Degrees) > 90);

    // The loop: the test print on the same printer, corrected from them.
    const std::string test = s_dir->File("test.png");
    const Result r = RunCli(QStringList{"test-print", QString::number(m.X, 'f', 2),
                                        QString::number(m.Y, 'f', 2), QString::number(m.A, 'f', 2),
                                        QString::number(m.B, 'f', 2), "-o", Q(test)} +
                                Printer(row.printer),
                            s_dir->Path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::optional<Drawn> landed = DrawnLines(testutil::ReadGrey(test), row.printer.dpi);
    ASSERT_TRUE(landed);
    ExpectLines(*landed, 150, 200, 100, 150, LandsMm);
}

INSTANTIATE_TEST_SUITE_P(
    Scans, ScanAccuracy,
    ::testing::Values(
        AccuracyRow{"TruePrinterStraight300Dark", {0, 0, 0, 0}, {300, 0, 40, 0, 0}, false},
        AccuracyRow{
            "WideHighRight600GreyTurned", {2, -2, 5, -5, 400}, {600, 1.5, 128, 1.2, 3}, false},
        AccuracyRow{
            "NarrowLeftDown200DarkJpeg", {-2, 1.5, -5, 4, 400}, {200, -1.5, 40, 0.8, 2}, true},
        AccuracyRow{"Erring300GreyJpegScannerStretch",
                    {0.8, -0.5, 1.3, -2.1},
                    {300, 0.7, 110, 1.0, 3, 0.3, -0.2},
                    true},
        AccuracyRow{"Erring600DarkJpegScannerStretch",
                    {-1.2, 1.5, 3, 5},
                    {600, -0.4, 60, 1.5, 2, -0.25, 0.15},
                    true},
        AccuracyRow{"Straight200SharpJpeg", {0.8, -0.5, 1.3, -2.1}, {200, 0, 90, 0.5, 1}, true},
        AccuracyRow{
            "UpsideDownOnTheGlass300", {0.8, -0.5, 1.3, -2.1}, {300, 180.6, 50, 1, 2}, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalRow
{
    const char* name;
    ScanConditions scan;
    bool blank; // no sheet at all: only the background
    ScanProblem problem;
    const char* says; // what the refusal or the warning tells the user
};

void PrintTo(const RefusalRow& row, std::ostream* os)
{
    *os << row.name;
}

class ScanRefusal : public ScanSuite, public ::testing::WithParamInterface<RefusalRow>
{
};

TEST_P(ScanRefusal, RefusesOrWarnsWithWhatToDo)
{
    const RefusalRow& row = GetParam();
    QImage scan;
    if (row.blank) {
        scan = QImage(2700, 3700, QImage::Format_Grayscale8);
        scan.fill(row.scan.Background);
    } else {
        scan = testutil::SimulateScan(Sheet({0.8, -0.5, 1.3, -2.1}), PrinterDpi, row.scan);
    }
    calibration::model::ScanSettings settings{static_cast<double>(row.scan.Dpi),
                                              static_cast<double>(row.scan.Dpi)};
    const calibration::model::ScanResult result = calibration::model::MeasureScan(scan, settings);
    const std::string said = calibration::model::ScanProblemText(result) +
                             calibration::model::CrookedFeedWarning(result.Measurement);
    EXPECT_EQ(result.Problem, row.problem) << said;
    EXPECT_NE(said.find(row.says), std::string::npos) << said;
}

ScanConditions With(double ScanConditions::*field, double value)
{
    ScanConditions c{300, 0.5, 40, 1, 2};
    c.*field = value;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ScanRefusal,
    ::testing::Values(
        RefusalRow{
            "NoSheet", {300, 0.5, 40, 1, 2}, true, ScanProblem::NoSheet, "lay the printed sheet"},
        RefusalRow{"WhiteLidHidesTheEdges",
                   {300, 0.5, 250, 1, 2},
                   false,
                   ScanProblem::EdgesNotVisible,
                   "with the lid open"},
        RefusalRow{"CutOffByTheGlass", With(&ScanConditions::ShiftLeftMm, 12), false,
                   ScanProblem::CutOff, "away from the glass's edges"},
        RefusalRow{"FigureCutOffAtTheBottom", With(&ScanConditions::KeepHeightMm, 225), false,
                   ScanProblem::CutOff, "away from the glass's edges"},
        RefusalRow{"HalfTheSheet", With(&ScanConditions::KeepHeightMm, 150), false,
                   ScanProblem::CutOff, "away from the glass's edges"},
        RefusalRow{"FigureSkewedBeyondTwoDegrees", With(&ScanConditions::FeedDegrees, 3), false,
                   ScanProblem::Skewed, "paper guides"},
        RefusalRow{"SheetTurnedOnTheGlass", With(&ScanConditions::Degrees, 8), false,
                   ScanProblem::Crooked, "lay it straight"},
        RefusalRow{"LinesTooFaint", With(&ScanConditions::InkContrast, 0.04), false,
                   ScanProblem::FaintOrDoubled, "toner saving off"},
        RefusalRow{"LinesDoubled", With(&ScanConditions::GhostMm, 0.6), false,
                   ScanProblem::FaintOrDoubled, "too faint or doubled"},
        // Between the warning and the refusal: measured, and said.
        RefusalRow{"CrookedFeedIsMeasuredWithAWarning", With(&ScanConditions::FeedDegrees, 1.0),
                   false, ScanProblem::None, "1.00° crooked"}),
    [](const auto& info) { return std::string(info.param.name); });

// Qt says 96 dpi for a file that records none; a JPEG's default is 72.
TEST(ScanResolution, OnlyAScannersResolutionCounts)
{
    const struct
    {
        int dpm;
        std::optional<double> dpi;
    } rows[] = {
        {3780, std::nullopt}, {2835, std::nullopt}, {11811, 300}, {23622, 600}, {7874, 200}};
    for (const auto& row : rows) {
        QImage image(10, 10, QImage::Format_Grayscale8);
        image.setDotsPerMeterX(row.dpm);
        image.setDotsPerMeterY(row.dpm);
        const std::optional<calibration::model::ScanSettings> got =
            calibration::model::RecordedResolution(image);
        SCOPED_TRACE(row.dpm);
        ASSERT_EQ(got.has_value(), row.dpi.has_value());
        if (got) {
            EXPECT_EQ(got->DpiX, *row.dpi);
        }
    }
}

} // namespace

namespace {

// measure and calibrate --scan, run as a user runs them.
class ScanCommands : public ScanSuite
{
protected:
    static std::string ScanFile(bool recordDpi)
    {
        ScanConditions c = ScanConditions{300, -0.8, 50, 1, 2};
        c.RecordDpi = recordDpi;
        const std::string file = s_dir->File(recordDpi ? "cli.png" : "nodpi.png");
        EXPECT_TRUE(testutil::SimulateScan(Sheet({0.8, -0.5, 1.3, -2.1}), PrinterDpi, c)
                        .save(Q(file), "PNG"));
        return file;
    }

    static std::string Value(const std::string& out, const std::string& name)
    {
        const std::size_t at = out.find(name + " ");
        if (at == std::string::npos)
            return {};
        const std::size_t from = at + name.size() + 1;
        return out.substr(from, out.find('\n', from) - from);
    }
};

// Standard input is read as the file; a PDF, as some scanners save, is its
// page's picture at 300 dpi.
TEST_F(ScanCommands, MeasuresStandardInputAndThePdfAsTheFile)
{
    const std::string file = ScanFile(true);
    const Result fromFile = RunCli({"measure", Q(file)}, s_dir->Path());
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    testutil::CliInput input;
    input.tmpdir = s_dir->Path();
    input.stdinBytes = testutil::ReadFileBytes(file);
    const Result piped = RunCli({"measure", "-"}, input);
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, fromFile.out);
    for (const char* name : {"X", "Y", "A", "B", "Skew", "Residual"})
        EXPECT_FALSE(Value(piped.out, name).empty()) << name << " in " << piped.out;
    EXPECT_NEAR(std::stod(Value(piped.out, "X")), 151.2, 0.1);
    EXPECT_NEAR(std::stod(Value(piped.out, "A")), 100.8 + 1.3, 0.1);

    const QImage scan(Q(file));
    ASSERT_FALSE(scan.isNull());
    const Result fromPdf = RunCli(
        {"measure", Q(testutil::SaveAsPdf(scan, 300, s_dir->File("scan.pdf")))}, s_dir->Path());
    ASSERT_EQ(fromPdf.status, 0) << fromPdf.err;
    for (const char* name : {"X", "Y", "A", "B"})
        EXPECT_NEAR(std::stod(Value(fromPdf.out, name)), std::stod(Value(fromFile.out, name)),
                    LengthMm)
            << name;
}

TEST_F(ScanCommands, CalibrateFromAScanSavesWhatTheTypedLengthsSave)
{
    const std::string file = ScanFile(true);
    const Result measured = RunCli({"measure", Q(file)}, s_dir->Path());
    ASSERT_EQ(measured.status, 0) << measured.err;
    const Result scanned = RunCli({"calibrate", "--scan", Q(file), "--settings",
                                   Q(s_dir->File("scanned.ini")), "--dpi", "600"},
                                  s_dir->Path());
    ASSERT_EQ(scanned.status, 0) << scanned.err;
    const Result typed =
        RunCli({"calibrate", Q(Value(measured.out, "X")), Q(Value(measured.out, "Y")),
                Q(Value(measured.out, "A")), Q(Value(measured.out, "B")), "--settings",
                Q(s_dir->File("typed.ini")), "--dpi", "600"},
               s_dir->Path());
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(scanned.out, typed.out);
    EXPECT_EQ(testutil::ReadFileBytes(s_dir->File("scanned.ini")),
              testutil::ReadFileBytes(s_dir->File("typed.ini")));
}

TEST_F(ScanCommands, RefusalsSayWhatToDo)
{
    const std::string noDpi = ScanFile(false);
    const struct
    {
        const char* name;
        QStringList args;
        int status;
        const char* says;
    } rows[] = {
        {"no resolution", {"measure", Q(noDpi)}, 1, "--scan-dpi N"},
        {"no resolution, calibrate", {"calibrate", "--scan", Q(noDpi)}, 1, "--scan-dpi N"},
        {"not an image",
         {"measure", Q(testutil::SourceDir() + "/examples/ocrdat.prn")},
         1,
         "save it as PNG, JPEG, TIFF or PDF"},
        {"the file printer's page: no background",
         {"measure", Q(s_dir->File("sheet0.png"))},
         1,
         "with the lid open"},
        {"lengths and a scan",
         {"calibrate", "--scan", Q(noDpi), "150", "200", "100", "150"},
         2,
         "takes no lengths"},
        {"resolution out of range", {"measure", "--scan-dpi", "50", Q(noDpi)}, 2, "--scan-dpi"},
        {"stretch out of range", {"measure", "--scan-scale", "7,0", Q(noDpi)}, 2, "--scan-scale"},
        {"scan options without a scan",
         {"calibrate", "--scan-dpi", "300", "150", "200", "100", "150"},
         2,
         "need --scan"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = RunCli(row.args, s_dir->Path());
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("ocrprint-cli: ", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
    // With the resolution given it measures.
    const Result given = RunCli({"measure", "--scan-dpi", "300", Q(noDpi)}, s_dir->Path());
    EXPECT_EQ(given.status, 0) << given.err;
}

} // namespace
