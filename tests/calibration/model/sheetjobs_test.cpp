// The measurement sheet and the adjusted test print, read back from the trace.
#include <QJsonObject>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "calibrationsequence.h"
#include "fileprinter.h"
#include "measurestate.h"
#include "sheetjobs.h"
#include "testutil.h"

namespace {

// A file printer with a trace, in a directory of its own, for one test.
class SheetRun
{
public:
    SheetRun(int dpiX, int dpiY, int offX, int offY)
        : m_printer(testutil::FileOptions(m_dir.File("sheet.pdf"), dpiX, dpiY, offX, offY),
                    m_dir.File("t.jsonl"))
    {}

    std::vector<QJsonObject> Ops(const char* op = nullptr) const { return m_printer.Ops(op); }

private:
    testutil::TempDir m_dir;
    testutil::TracedFilePrinter m_printer;
};

struct SheetRow
{
    const char* name;
    int dpiX, dpiY, offX, offY;
    int x1, y1, x2, y2;
    int thick, thin;
    int crossX, crossY; // start of the vertical cross line (100, 2)
};

class MeasurementSheet : public ::testing::TestWithParam<SheetRow>
{
};

TEST_P(MeasurementSheet, DotsAndPensOfTheUncorrectedMapping)
{
    const SheetRow& r = GetParam();
    SheetRun run(r.dpiX, r.dpiY, r.offX, r.offY);
    calibration::model::TMeasureState state;
    calibration::model::PrintMeasurementSheet(state);
    EXPECT_EQ(state.DpiX, r.dpiX);
    EXPECT_EQ(state.PhysOffsetY, r.offY);
    const auto ops = run.Ops();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops.back()["op"].toString(), "close");
    std::vector<QJsonObject> rects, moves, lines, texts;
    for (const auto& o : ops) {
        const QString op = o["op"].toString();
        if (op == "rect")
            rects.push_back(o);
        else if (op == "moveto")
            moves.push_back(o);
        else if (op == "lineto")
            lines.push_back(o);
        else if (op == "text")
            texts.push_back(o);
    }
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]["x1"].toInt(), r.x1);
    EXPECT_EQ(rects[0]["y1"].toInt(), r.y1);
    EXPECT_EQ(rects[0]["x2"].toInt(), r.x2);
    EXPECT_EQ(rects[0]["y2"].toInt(), r.y2);
    EXPECT_EQ(rects[0]["pen"].toInt(), r.thick);
    EXPECT_EQ(rects[0]["brush"].toString(), "clear");
    ASSERT_EQ(moves.size(), 10u);
    EXPECT_EQ(moves[0]["x"].toInt(), r.crossX);
    EXPECT_EQ(moves[0]["y"].toInt(), r.crossY);
    ASSERT_EQ(lines.size(), 16u);
    for (const auto& l : lines)
        EXPECT_EQ(l["pen"].toInt(), r.thin);
    ASSERT_EQ(texts.size(), 13u);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i]["size"].toInt(), i < 3 ? 14 : 12) << i;
        EXPECT_EQ(texts[i]["brush"].toString(), "clear");
    }
    EXPECT_EQ(texts[0]["text"].toString(), QString::fromUtf8("誤差測定用紙（未調整）"));
}

INSTANTIATE_TEST_SUITE_P(
    Printers, MeasurementSheet,
    ::testing::Values(
        SheetRow{"At300NoOffset", 300, 300, 0, 0, 118, 118, 1889, 2480, 2, 0, 1181, 23},
        SheetRow{"At600Offset100", 600, 600, 100, 100, 136, 136, 3679, 4860, 4, 1, 2262, -52},
        SheetRow{"At300Offset50x60", 300, 300, 50, 60, 68, 58, 1839, 2420, 2, 0, 1131, -36},
        SheetRow{"PensFollowDpiX240", 240, 600, 0, 0, 94, 236, 1511, 4960, 1, 0, 944, 47},
        SheetRow{"PensFollowDpiX400", 400, 300, 0, 0, 157, 118, 2519, 2480, 3, 1, 1574, 23},
        SheetRow{"PensFollowDpiX1200", 1200, 300, 0, 0, 472, 118, 7559, 2480, 9, 3, 4724, 23}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TestPrint, NominalLengthsGiveTheSheetsDots)
{
    std::vector<QJsonObject> sheet, test;
    {
        SheetRun run(600, 600, 100, 100);
        calibration::model::TMeasureState state;
        calibration::model::PrintMeasurementSheet(state);
        sheet = run.Ops();
    }
    {
        SheetRun run(600, 600, 100, 100);
        calibration::model::TMeasureState state;
        core::TPrintAdjustment adj;
        calibration::model::TakeLengths({"150", "200", "100", "150"},
                                        calibration::model::TestPrintFloor, state, adj);
        calibration::model::PrintTestSheet(state);
        test = run.Ops();
    }
    ASSERT_EQ(sheet.size(), test.size());
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        for (const char* key : {"op", "x", "y", "x1", "y1", "x2", "y2", "pen"})
            EXPECT_EQ(sheet[i][key], test[i][key]) << "op " << i << " " << key;
    }
    const auto heading = std::find_if(test.begin(), test.end(),
                                      [](const QJsonObject& o) { return o["op"] == "text"; });
    ASSERT_NE(heading, test.end());
    EXPECT_EQ((*heading)["text"].toString(), QString::fromUtf8("テスト印刷（調整適用済み）"));
}

// X 151, Y 199, A 101, B 149 at 300 dpi: scales -2 and 1.5, offsets -0.34 and
// 0.25 (floored to hundredths, not truncated).
TEST(TestPrint, CorrectedCornersAndCrossTip)
{
    SheetRun run(300, 300, 0, 0);
    calibration::model::TMeasureState state;
    core::TPrintAdjustment adj;
    calibration::model::TakeLengths({"151", "199", "101", "149"},
                                    calibration::model::TestPrintFloor, state, adj);
    calibration::model::PrintTestSheet(state);
    const auto ops = run.Ops();
    std::vector<QJsonObject> rects, lines;
    for (const auto& o : ops) {
        if (o["op"] == "rect")
            rects.push_back(o);
        if (o["op"] == "lineto")
            lines.push_back(o);
    }
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]["x1"].toInt(), 113);
    EXPECT_EQ(rects[0]["y1"].toInt(), 121);
    EXPECT_EQ(rects[0]["x2"].toInt(), 1873);
    EXPECT_EQ(rects[0]["y2"].toInt(), 2495);
    EXPECT_EQ(rects[0]["pen"].toInt(), 2) << "pens stay those of the uncorrected resolution";
    ASSERT_EQ(lines.size(), 16u);
    // Step 13: the arrowhead of the vertical line, its tip at (100, 150).
    EXPECT_EQ(lines[1]["x"].toInt(), 1169);
    EXPECT_EQ(lines[1]["y"].toInt(), 1783);
}

} // namespace
