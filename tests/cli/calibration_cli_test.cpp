// The calibration commands of ocrprint-cli: sheet, test-print, calibrate and
// the file printer's --printer-error, run as a user runs them.
#include <QFile>
#include <array>
#include <gtest/gtest.h>

#include "clirun.h"
#include "testutil.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;

struct UsageRow
{
    const char* name;
    QStringList args;
    const char* reason; // what the message names
};

class CalibrationUsage : public ::testing::TestWithParam<UsageRow>
{
};

TEST_P(CalibrationUsage, ExitsTwoWithTheUsage)
{
    TempDir dir;
    const Result r = RunCli(GetParam().args, dir.Path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().reason), std::string::npos) << r.err;
    EXPECT_TRUE(testutil::IsUsageError(r.err)) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(QFile::exists(Q(dir.File("ocrprn2.ini"))));
    EXPECT_FALSE(QFile::exists(Q(dir.File(".config/ocrprint/ocrprn2.ini"))));
}

// The sheet with a --printer-error calibrate cannot take.
UsageRow PrinterError(const char* name, const char* value, const char* reason)
{
    return {name, {"sheet", "-o", "s.png", "--printer-error", value}, reason};
}

// The file names are relative: a usage error writes nothing anywhere.
INSTANTIATE_TEST_SUITE_P(
    Errors, CalibrationUsage,
    ::testing::Values(
        UsageRow{"TestPrintThreeLengths", {"test-print", "150", "200", "100"}, "four"},
        UsageRow{"TestPrintFiveLengths", {"test-print", "150", "200", "100", "150", "1"}, "four"},
        UsageRow{"TestPrintNoLengths", {"test-print", "-o", "t.png"}, "four"},
        UsageRow{"CalibrateNoLengths", {"calibrate"}, "four"},
        UsageRow{"CalibrateThreeLengths", {"calibrate", "150", "200", "100"}, "four"},
        UsageRow{"SheetWithALength", {"sheet", "150", "-o", "s.png"}, "no arguments"},
        UsageRow{"ShowWithAnArgument", {"show", "s.ini"}, "no arguments"},
        PrinterError("ErrorThreeNumbers", "1,2,3", "--printer-error"),
        PrinterError("ErrorFiveNumbers", "1,2,3,4,5", "--printer-error"),
        PrinterError("ErrorNotNumbers", "a,b,c,d", "--printer-error"),
        PrinterError("ErrorEmptyNumber", "1,,2,3", "--printer-error"),
        PrinterError("ErrorNaN", "nan,0,0,0", "--printer-error"),
        PrinterError("ErrorStretch50", "50,0,0,0", "< 50"),
        PrinterError("ErrorStretchMinus50", "0,-50.0,0,0", "< 50"),
        PrinterError("ErrorShift100", "0,0,100,0", "< 100"),
        UsageRow{"ErrorShiftMinus100",
                 {"test-print", "150", "200", "100", "150", "-o", "t.png", "--printer-error",
                  "0,0,0,-100.5"},
                 "< 100"},
        UsageRow{"ErrorMissingValue", {"sheet", "-o", "s.png", "--printer-error"}, "SX,SY,DX,DY"},
        UsageRow{"ErrorWithoutFilePrinter",
                 {"sheet", "--printer-error", "0.8,-0.5,1.3,-2.1"},
                 "give -o FILE"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalibrationHelp, NamesTheNewCommandsAndOption)
{
    const Result help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word :
         {"sheet", "test-print X Y A B", "calibrate X Y A B", "--printer-error SX,SY,DX,DY"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

struct Point
{
    int x, y;
    bool operator==(const Point&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Point& p)
{
    return os << "(" << p.x << ", " << p.y << ")";
}

Point At(const QJsonObject& o, const char* x = "x", const char* y = "y")
{
    return {o[x].toInt(), o[y].toInt()};
}

struct SheetRow
{
    const char* name;
    QStringList device;
    Point corner1, corner2; // the rectangle
    int thick, thin;        // pens
    Point crossStart;       // the vertical cross line's first point
};

void PrintTo(const SheetRow& row, std::ostream* os)
{
    *os << row.name;
}

class SheetTrace : public ::testing::TestWithParam<SheetRow>
{
};

TEST_P(SheetTrace, RectangleAndCrossAtTheirDots)
{
    const SheetRow& row = GetParam();
    TempDir dir;
    const Result r = RunCli(
        QStringList{"sheet", "-o", Q(dir.File("sheet.png")), "--trace", Q(dir.File("t.jsonl"))} +
            row.device,
        dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(QFile::exists(Q(dir.File("sheet.png"))));
    const auto trace = testutil::ReadTrace(dir.File("t.jsonl"));
    const auto rects = testutil::TraceOps(trace, "rect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(At(rects[0], "x1", "y1"), row.corner1);
    EXPECT_EQ(At(rects[0], "x2", "y2"), row.corner2);
    EXPECT_EQ(rects[0]["pen"].toInt(), row.thick);
    const auto moves = testutil::TraceOps(trace, "moveto");
    const auto lines = testutil::TraceOps(trace, "lineto");
    ASSERT_EQ(moves.size(), 10u); // one per line and arrowhead
    EXPECT_EQ(At(moves[0]), row.crossStart);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0]["pen"].toInt(), row.thin);
    const auto texts = testutil::TraceOps(trace, "text");
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts[0]["text"].toString(), QString::fromUtf8("誤差測定用紙（未調整）"));
    EXPECT_EQ(trace.back()["op"].toString(), "close");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cli, SheetTrace,
    ::testing::Values(
        SheetRow{"At300Offsets0", {"--dpi", "300"}, {118, 118}, {1889, 2480}, 2, 0, {1181, 23}},
        SheetRow{"At600Offsets100", {"--dpi", "600", "--offset", "100,100"},
                 {136, 136}, {3679, 4860}, 4, 1, {2262, -52}},
        SheetRow{"At300Offsets50And60", {"--dpi", "300", "--offset", "50,60"},
                 {68, 58}, {1839, 2420}, 2, 0, {1131, -36}},
        // The printer's own error is not the program's: the dots stay.
        SheetRow{"PrinterErrorLeavesTheDots",
                 {"--dpi", "600", "--offset", "100,100", "--printer-error", "-0.5,+0.8,-1.3,2.1"},
                 {136, 136}, {3679, 4860}, 4, 1, {2262, -52}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(CliTestPrint, CorrectedDotsAndNoSettingsWritten)
{
    TempDir dir;
    const Result r =
        RunCli({"test-print", "151", "199", "101", "149", "-o", Q(dir.File("test.pdf")), "--dpi",
                "300", "--trace", Q(dir.File("t.jsonl"))},
               dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    // Only the file written is named.
    EXPECT_EQ(r.err, "ocrprint-cli: " + dir.File("test.pdf") + ": written\n");
    const auto trace = testutil::ReadTrace(dir.File("t.jsonl"));
    const auto rects = testutil::TraceOps(trace, "rect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(At(rects[0], "x1", "y1"), (Point{113, 121}));
    EXPECT_EQ(At(rects[0], "x2", "y2"), (Point{1873, 2495}));
    // The cross mark's tip: the second point of the first arrowhead.
    const auto lines = testutil::TraceOps(trace, "lineto");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(At(lines[1]), (Point{1169, 1783}));
    const auto texts = testutil::TraceOps(trace, "text");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0]["text"].toString(), QString::fromUtf8("テスト印刷（調整適用済み）"));
    EXPECT_TRUE(QFile::exists(Q(dir.File("test.pdf"))));
    EXPECT_FALSE(QFile::exists(Q(dir.File("ocrprn2.ini"))));
    EXPECT_FALSE(QFile::exists(Q(dir.File(".config/ocrprint/ocrprn2.ini"))));
}

TEST(CliTestPrint, LengthsOutOfRangeAreReplacedAndSaid)
{
    TempDir dir;
    // X 99 and B "abc" become 150 and 150: with Y 200 and A 100 nothing is
    // corrected and the rectangle lands on the sheet's dots.
    const Result r = RunCli({"test-print", "99", "200", "100", "abc", "-o", Q(dir.File("test.png")),
                             "--dpi", "300", "--trace", Q(dir.File("t.jsonl"))},
                            dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("X 99 is not a length from 100 to 200 mm: 150 used"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("B abc is not a length from 120 to 180 mm: 150 used"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find(" Y "), std::string::npos) << r.err;
    const auto rects = testutil::TraceOps(testutil::ReadTrace(dir.File("t.jsonl")), "rect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(At(rects[0], "x1", "y1"), (Point{118, 118}));
    EXPECT_EQ(At(rects[0], "x2", "y2"), (Point{1889, 2480}));
}

// The eight values as the settings file holds them, or as show lists them.
std::string Values(const std::array<const char*, 8>& values, bool listing)
{
    const char* names[] = {"HorzOffset", "VertOffset", "VertScale", "HorzScale",
                           "MeasuredX",  "MeasuredY",  "MeasuredA", "MeasuredB"};
    std::string s;
    for (std::size_t i = 0; i < values.size(); ++i)
        s += listing ? std::string(names[i]) + " " + values[i] + "\n"
                     : std::string(values[i]) + "\r\n";
    return s;
}

struct CalibrateRow
{
    const char* name;
    QStringList args; // lengths and device options
    int status;
    std::string file; // the settings file afterwards
    std::string out;
    std::string err;
};

void PrintTo(const CalibrateRow& row, std::ostream* os)
{
    *os << row.name;
}

class Calibrate : public ::testing::TestWithParam<CalibrateRow>
{
};

// The settings file starts with values of an earlier calibration.
const std::string EarlierFile = "1.5\r\n-1\r\n2.5\r\n-3\r\n140\r\n210\r\n90\r\n160\r\n";

TEST_P(Calibrate, SavesAndListsWhatTheDialogsWouldStore)
{
    const CalibrateRow& row = GetParam();
    TempDir dir;
    testutil::WriteFileBytes(dir.File("s.ini"), EarlierFile);
    const Result r =
        RunCli(QStringList{"calibrate", "--settings", Q(dir.File("s.ini"))} + row.args, dir.Path());
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("s.ini")), row.file);
}

// A calibration that is saved: the file and the listing hold the same values,
// the corrections (HorzOffset, VertOffset, VertScale, HorzScale) and the lengths.
CalibrateRow Saved(const char* name, std::array<const char*, 4> lengths, int dpi,
                   std::array<const char*, 4> corrections)
{
    const std::array<const char*, 8> values = {corrections[0], corrections[1], corrections[2],
                                               corrections[3], lengths[0],     lengths[1],
                                               lengths[2],     lengths[3]};
    QStringList args;
    for (const char* length : lengths)
        args << length;
    args << "--dpi" << QString::number(dpi);
    return {name, args, 0, Values(values, false), Values(values, true), ""};
}

// A length or offset calibrate cannot take leaves the earlier calibration as it was.
CalibrateRow Refused(const char* name, QStringList lengths, int status, std::string err)
{
    return {name, lengths + QStringList{"--dpi", "300"}, status, EarlierFile, "", std::move(err)};
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Calibrate,
    ::testing::Values(
        Saved("Nominal", {"150", "200", "100", "150"}, 300, {"0", "0", "0", "0"}),
        Saved("Wider151", {"151", "200", "100", "150"}, 300, {"0.6", "0", "0", "-2"}),
        Saved("Scale454DownToHalfStep", {"152.27", "200", "100", "150"}, 300,
              {"1.4", "0", "0", "-5"}),
        Saved("Scale454UpToHalfStep", {"147.73", "200", "100", "150"}, 300,
              {"-1.6", "0", "0", "4.5"}),
        Saved("At600", {"150.5", "199", "100", "150"}, 600, {"0.3", "-0.8", "3", "-2"}),
        Saved("ScaleLimitedToTen", {"140", "200", "100", "150"}, 300, {"-7.2", "0", "0", "10"}),
        Saved("HorizontalBoundAccepted", {"100", "200", "80", "150"}, 300, {"-20", "0", "0", "10"}),
        Refused("VerticalOutOfRange", {"100", "250", "80", "120"}, 1,
                "ocrprint-cli: 縦方向調整値に誤りがあります。(±20mmまで)\n"),
        Refused("BothOutOfRangeReportsHorizontal", {"200", "250", "80", "120"}, 1,
                "ocrprint-cli: 横方向調整値に誤りがあります。(±20mmまで)\n")),
    [](const auto& info) { return std::string(info.param.name); });

// A length outside its range, where the rest are good: calibrate says so.
CalibrateRow OutOfRange(const char* name, QStringList lengths, const std::string& what, int lo,
                        int hi)
{
    return Refused(name, lengths, 1,
                   "ocrprint-cli: " + what + " is not a length from " + std::to_string(lo) +
                       " to " + std::to_string(hi) + " mm\n");
}

std::string NotANumber(const std::string& what)
{
    return "ocrprint-cli: " + what + " is not a length in mm\n" +
           "ocrprint-cli: Try 'ocrprint-cli --help'.\n";
}

INSTANTIATE_TEST_SUITE_P(
    RefusedLengths, Calibrate,
    ::testing::Values(
        Refused("Letters", {"abc", "def", "ghi", "jkl"}, 2, NotANumber("X abc")),
        Refused("DecimalComma", {"151,2", "200", "100", "150"}, 2, NotANumber("X 151,2")),
        Refused("Empty", {"150", "", "100", "150"}, 2, NotANumber("Y ")),
        Refused("Unit", {"150", "200", "100", "150mm"}, 2, NotANumber("B 150mm")),
        Refused("NotANumberBeforeOutOfRange", {"99", "200", "x", "150"}, 2, NotANumber("A x")),
        OutOfRange("XBelow", {"99.9", "200", "100", "150"}, "X 99.9", 100, 200),
        OutOfRange("XAbove", {"200.1", "200", "100", "150"}, "X 200.1", 100, 200),
        OutOfRange("YBelow", {"150", "149", "100", "150"}, "Y 149", 150, 250),
        OutOfRange("YAbove", {"150", "251", "100", "150"}, "Y 251", 150, 250),
        OutOfRange("ABelow", {"150", "200", "79", "150"}, "A 79", 80, 120),
        OutOfRange("AAbove", {"150", "200", "121", "150"}, "A 121", 80, 120),
        OutOfRange("BBelow", {"150", "200", "100", "119"}, "B 119", 120, 180),
        OutOfRange("BAbove", {"150", "200", "100", "1e3"}, "B 1e3", 120, 180),
        Refused("EveryOneOutOfRangeSaid", {"0", "0", "0", "0"}, 1,
                "ocrprint-cli: X 0 is not a length from 100 to 200 mm\n"
                "ocrprint-cli: Y 0 is not a length from 150 to 250 mm\n"
                "ocrprint-cli: A 0 is not a length from 80 to 120 mm\n"
                "ocrprint-cli: B 0 is not a length from 120 to 180 mm\n"),
        // Good lengths at the bounds are taken: the earlier file is replaced.
        Saved("BoundsTaken", {"200", "150", "120", "120"}, 300, {"10", "-10", "10", "-10"})),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliCalibrate, WithoutSettingsOptionUsesTheProgramsFile)
{
    TempDir dir;
    const Result r = RunCli({"calibrate", "151", "200", "100", "150", "--dpi", "300"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    // The program's file lives in the configuration directory now.
    EXPECT_EQ(testutil::ReadFileBytes(dir.File(".config/ocrprint/ocrprn2.ini")),
              "0.6\r\n0\r\n0\r\n-2\r\n151\r\n200\r\n100\r\n150\r\n");
    const Result shown = RunCli({"show"}, dir.Path());
    EXPECT_EQ(shown.out, r.out);
}

TEST(CliCalibrate, SaveFailureIsReported)
{
    TempDir dir;
    const std::string path = dir.File("missing/s.ini");
    const Result r =
        RunCli({"calibrate", "151", "200", "100", "150", "--settings", Q(path), "--dpi", "600"},
               dir.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "ocrprint-cli: " + path + ": cannot save the settings: No such file or directory\n");
    EXPECT_EQ(r.out, "");
}

} // namespace
