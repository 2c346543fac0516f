// The data file linter on an A4 file printer at 600 dpi with 100-dot margins:
// which findings each file gives, at which line and column.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "datalint.h"
#include "fileprinter.h"
#include "testutil.h"
#include "textmodereader.h"
#include "tprinter.h"
#include "tprintercanvas.h"

namespace {

using print::LintCode;

constexpr int Dpi = 600;
constexpr int Margin = 100;

struct Expected
{
    int line;
    int column;
    LintCode code;
    bool error = false;

    bool operator==(const Expected& o) const
    {
        return line == o.line && column == o.column && code == o.code && error == o.error;
    }
};

void PrintTo(const Expected& e, std::ostream* os)
{
    *os << e.line << ":" << e.column << " code " << static_cast<int>(e.code)
        << (e.error ? " error" : " warning");
}

// An entry at (x, y) mm of the given size, anchors and text.
std::string Entry(const std::string& x, const std::string& y, const std::string& size,
                  const std::string& rest = "1,0,1", const std::string& text = "A",
                  const char* end = "\r\n")
{
    return x + "," + y + "," + size + "," + rest + ",a,b,c,,," + text + end;
}

// A position in mm that lands exactly on the given dot at 600 dpi.
std::string OnDot(long dot)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", (dot + 0.5) * 25.4 / Dpi);
    return text;
}

struct LintRow
{
    const char* name;
    // The file, given the height in dots of "A" at 10 pt.
    std::function<std::string(int)> data;
    std::vector<Expected> expected;
};

class DataLint : public ::testing::TestWithParam<LintRow>
{
protected:
    void SetUp() override
    {
        m_printer = std::make_unique<testutil::TracedFilePrinter>(
            testutil::FileOptions(m_dir.File("unused.png"), Dpi, Dpi, Margin, Margin),
            m_dir.File("trace.jsonl"));
        m_device.Adjustment.PrinterDpiX = m_device.Adjustment.PrinterDpiY = Dpi;
        m_device.Adjustment.PrinterOffsetX = m_device.Adjustment.PrinterOffsetY = Margin;
        m_device.Area = surface::PrinterObject()->DeviceHandle()->Area();
    }

    int CellHeight()
    {
        surface::TPrinterCanvas& canvas = *surface::PrinterObject()->PageCanvas();
        canvas.Font().SyncPixelsPerInch(Dpi);
        canvas.Font().SetSize(10);
        return canvas.MeasureText("A").Height();
    }

    std::vector<print::Finding> Lint(const std::string& data)
    {
        testutil::WriteFileBytes(m_dir.File("d.prn"), data);
        core::TextModeReader reader;
        EXPECT_TRUE(reader.Open(m_dir.File("d.prn")));
        std::vector<print::Finding> found;
        print::LintDataFile(reader, m_device, *surface::PrinterObject()->PageCanvas(),
                            [&](const print::Finding& f) { found.push_back(f); });
        return found;
    }

    testutil::TempDir m_dir;
    std::unique_ptr<testutil::TracedFilePrinter> m_printer;
    print::LintDevice m_device;
};

TEST_P(DataLint, FindsWhatTheRowExpects)
{
    const int height = CellHeight();
    ASSERT_GT(height, 0);
    std::vector<Expected> found;
    for (const print::Finding& f : Lint(GetParam().data(height)))
        found.push_back({f.Line, f.Column, f.Code, f.Error});
    EXPECT_EQ(found, GetParam().expected);
}

const std::string Ok = Entry("50", "50", "10");
const std::string Long = Entry("50", "60", "10", "1,0,1", std::string(300, 'x'));

INSTANTIATE_TEST_SUITE_P(
    Files, DataLint,
    ::testing::Values(
        // Line and column numbers.
        LintRow{"CrLfLines",
                [](int) { return Ok + "\r\n" + Entry("50", "70", "10", "1,0,1", "B"); },
                {{2, 0, LintCode::FieldEmpty, true}}},
        LintRow{"LfLines",
                [](int) { return "\n" + Entry("50", "50", "10", "1,0,1", "A", "\n") + "x,1\n"; },
                {{1, 0, LintCode::FieldEmpty, true}, {3, 0, LintCode::Conversion, true}}},
        LintRow{"LineNumbersAfterALongLine",
                [](int) { return Long + "\r\n" + Entry("50", "80", "10"); },
                {{1, 0, LintCode::TextCut},
                 {1, 0, LintCode::LongLine},
                 {1, 256, LintCode::FieldEmpty, true},
                 {2, 0, LintCode::FieldEmpty, true}}},
        LintRow{
            "ColumnsNotCountingCr",
            [](int) { return "\r\r" + Entry("50", "60", "10", "1,0,1", std::string(600, ',')); },
            {{1, 0, LintCode::TextCut},
             {1, 0, LintCode::LongLine},
             {1, 256, LintCode::FieldEmpty, true},
             {1, 511, LintCode::FieldEmpty, true},
             {0, 0, LintCode::NoEntry}}},
        LintRow{"EndOfFileByte",
                [](int) { return Ok + "\x1A" + "garbage,1,2\r\n"; },
                {{2, 1, LintCode::EndByte}}},
        LintRow{"EndOfFileByteLast", [](int) { return Ok + "\x1A"; }, {}},
        LintRow{"LongestWholeLine",
                [](int) {
                    const std::string head = "50,60,1,1,0,1,a,b,c,,,";
                    return head + std::string(254 - head.size(), 'x') + "\r\n";
                },
                {}},
        // The warnings, each with a row just inside its limit.
        LintRow{"FontSize200", [](int) { return Entry("50", "50", "200"); }, {}},
        LintRow{"FontSize201",
                [](int) { return Entry("50", "50", "201"); },
                {{1, 0, LintCode::FontSize}}},
        LintRow{
            "FontSize0", [](int) { return Entry("50", "50", "0"); }, {{1, 0, LintCode::FontSize}}},
        LintRow{"AlignmentsThree", [](int) { return Entry("100", "100", "10", "3,1,3"); }, {}},
        LintRow{"HorzAlignFour",
                [](int) { return Entry("100", "100", "10", "4,0,1"); },
                {{1, 0, LintCode::HorzAlign}}},
        LintRow{"VertAlignZero",
                [](int) { return Entry("100", "100", "10", "1,0,0"); },
                {{1, 0, LintCode::VertAlign}}},
        LintRow{"FramedTwo",
                [](int) { return Entry("50", "50", "10", "1,2,1"); },
                {{1, 0, LintCode::Framed}}},
        LintRow{"FramedMinusOne",
                [](int) { return Entry("50", "50", "10", "1,-1,1"); },
                {{1, 0, LintCode::Framed}}},
        LintRow{
            "ValidShiftJis", [](int) { return Entry("50", "50", "10", "1,0,1", "\x82\xA0"); }, {}},
        LintRow{"InvalidShiftJis",
                [](int) { return Entry("50", "50", "10", "1,0,1", "ab\x81\x7F"); },
                {{1, 26, LintCode::NotCp932}}},
        // F0 40 is U+E000, which no font has: the rest is judged all the same.
        LintRow{"NoFontHasTheCharacter",
                [](int) {
                    return Entry("50", "50", "10", "1,0,1", "ab\xF0\x40") +
                           Entry("50", "60", "10", "4,0,1");
                },
                {{1, 26, LintCode::NoFont}, {2, 0, LintCode::HorzAlign}}},
        LintRow{"NoFontInAQuotedText",
                [](int) { return Entry("50", "50", "10", "1,0,1", "\"\x82\xA0\xF0\x40\""); },
                {{1, 27, LintCode::NoFont}}},
        LintRow{"LeftPaperEdge",
                [](int) { return Entry("0", "50", "10"); },
                {{1, 0, LintCode::OutsidePrintable}}},
        LintRow{"LeftOfThePaper",
                [](int) { return Entry("-0.1", "50", "10"); },
                {{1, 0, LintCode::PartlyOffPaper}}},
        LintRow{"FarOffThePaper",
                [](int) { return Entry("900", "50", "10"); },
                {{1, 0, LintCode::OffPaper}}},
        LintRow{"PrintableAreaTop", [](int) { return Entry("50", OnDot(Margin), "10"); }, {}},
        // The dot is truncated toward zero from the printable corner: 99.5 dots
        // from the paper's edge become 0, on the area's first row; 98.5 become -1.
        LintRow{"AboveThePrintableArea",
                [](int) { return Entry("50", OnDot(Margin - 2), "10"); },
                {{1, 0, LintCode::OutsidePrintable}}},
        LintRow{"TouchingCells",
                [](int h) {
                    return Entry("50", OnDot(1000), "10") + Entry("50", OnDot(1000 + h), "10");
                },
                {}},
        LintRow{"CellsOverlappingByOneDot",
                [](int h) {
                    return Entry("50", OnDot(1000), "10") + Entry("50", OnDot(999 + h), "10");
                },
                {{2, 0, LintCode::Overlap}}},
        // The file as a whole.
        LintRow{"ByteOrderMark",
                [](int) { return "\xEF\xBB\xBF" + Ok; },
                {{1, 0, LintCode::Utf8ByteOrderMark},
                 {1, 1, LintCode::NotCp932},
                 {1, 0, LintCode::Conversion, true}}},
        LintRow{"Utf8Text",
                [](int) { return Ok + Entry("50", "70", "10", "1,0,1", "\xE5\xB1\xB1"); },
                {{2, 0, LintCode::Utf8Text}}},
        LintRow{"ShiftJisIsNotUtf8",
                [](int) { return Ok + Entry("50", "70", "10", "1,0,1", "\x8E\x52\x93\x63"); },
                {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Text from the file reaches a finding with its control characters escaped.
TEST_F(DataLint, EscapesControlCharactersOfTheFile)
{
    const std::vector<print::Finding> found = Lint("a\x1b[2Jb\\,1,2,3,4,5,a,b,c,,,x\n");
    ASSERT_EQ(found.size(), 1u);
    ASSERT_EQ(found[0].Values.size(), 1u);
    EXPECT_EQ(found[0].Values[0].substr(0, 14), "'a\\x1b[2Jb\\\\' ");
}

} // namespace
