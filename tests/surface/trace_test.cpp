// The trace: exact JSON lines for each operation, written as they happen;
// a trace file appears whole once finished.
#include "surface_fixture.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace surfacetest;

namespace {

std::string Capture(const std::function<void(surface::TraceWriter&)>& write)
{
    std::FILE* file = std::tmpfile();
    {
        surface::TraceWriter trace(file);
        EXPECT_TRUE(trace.Ok());
        write(trace);
    }
    std::string out;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        out += static_cast<char>(c);
    std::fclose(file);
    return out;
}

struct WriterRow
{
    const char* name;
    std::function<void(surface::TraceWriter&)> write;
    std::string line;
};

// Test logs name the row, not its bytes.
void PrintTo(const WriterRow& row, std::ostream* os)
{
    *os << row.name;
}

class TraceWriterLines : public ::testing::TestWithParam<WriterRow>
{
};

TEST_P(TraceWriterLines, AreExactJson)
{
    EXPECT_EQ(Capture(GetParam().write), GetParam().line + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    TraceWriter, TraceWriterLines,
    ::testing::Values(
        WriterRow{
            "Open", [](auto& t) { t.Open("OCR", 600, 600, 100, 100); },
            R"({"op":"open","version":1,"title":"OCR","dpi_x":600,"dpi_y":600,"offset_x":100,"offset_y":100})"},
        WriterRow{
            "OpenWithJapaneseTitle", [](auto& t) { t.Open(Sjis("測定"), 300, 600, 0, -1); },
            R"({"op":"open","version":1,"title":"測定","dpi_x":300,"dpi_y":600,"offset_x":0,"offset_y":-1})"},
        WriterRow{
            "TextSolid", [](auto& t) { t.Text(1081, 2262, Sjis("申告"), 10, -83, 412, 96, true); },
            R"({"op":"text","x":1081,"y":2262,"text":"申告","size":10,"height":-83,"width":412,"cell":96,"brush":"solid"})"},
        WriterRow{
            "TextClearNegative",
            [](auto& t) { t.Text(-5, -2147483647 - 1, "a", 0, 0, 0, 0, false); },
            R"({"op":"text","x":-5,"y":-2147483648,"text":"a","size":0,"height":0,"width":0,"cell":0,"brush":"clear"})"},
        WriterRow{
            "TextEscaped", [](auto& t) { t.Text(0, 0, "\"\\\t\x01/", 9, -75, 1, 2, true); },
            R"({"op":"text","x":0,"y":0,"text":"\"\\\t\u0001/","size":9,"height":-75,"width":1,"cell":2,"brush":"solid"})"},
        WriterRow{"TextInvalidShiftJis",
                  [](auto& t) { t.Text(1, 2, "A\x81", 9, -75, 1, 2, false); },
                  "{\"op\":\"text\",\"x\":1,\"y\":2,\"text\":\"A\xEF\xBF\xBD\",\"size\":9,"
                  "\"height\":-75,\"width\":1,\"cell\":2,\"brush\":\"clear\"}"},
        WriterRow{"MoveTo", [](auto& t) { t.MoveTo(1181, 23); },
                  R"({"op":"moveto","x":1181,"y":23})"},
        WriterRow{"LineTo", [](auto& t) { t.LineTo(1181, 2007, 0); },
                  R"({"op":"lineto","x":1181,"y":2007,"pen":0})"},
        WriterRow{"Rect", [](auto& t) { t.Rect(118, 118, 1889, 2480, 2, false); },
                  R"({"op":"rect","x1":118,"y1":118,"x2":1889,"y2":2480,"pen":2,"brush":"clear"})"},
        WriterRow{
            "RoundRect", [](auto& t) { t.RoundRect(1, 2, 3, 4, 35, 36, 7, true); },
            R"({"op":"roundrect","x1":1,"y1":2,"x2":3,"y2":4,"ex":35,"ey":36,"pen":7,"brush":"solid"})"},
        WriterRow{"Close", [](auto& t) { t.Close(); }, R"({"op":"close"})"},
        WriterRow{"Abort", [](auto& t) { t.Abort(); }, R"({"op":"abort"})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TraceWriter, JsonStringEscapes)
{
    const struct
    {
        const char* name;
        std::string in;
        std::string out;
    } rows[] = {
        {"plain", "abc", R"("abc")"},
        {"empty", "", R"("")"},
        {"quote and backslash", "a\"b\\c", R"("a\"b\\c")"},
        {"named controls", "\b\f\n\r\t", R"("\b\f\n\r\t")"},
        {"other controls", std::string("\x00\x1f\x7f", 3), "\"\\u0000\\u001f\x7f\""},
        {"UTF-8 unchanged", "日本", "\"日本\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(surface::TraceWriter::JsonString(row.in), row.out);
    }
}

TEST(TraceWriter, WritesToAPathWholeWhenFinished)
{
    testutil::TempDir dir;
    testutil::WriteFileBytes(dir.File("t.jsonl"), "previous\n");
    surface::TraceWriter trace(dir.File("t.jsonl"));
    ASSERT_TRUE(trace.Ok());
    trace.MoveTo(1, 2);
    // The previous trace stays until the new one is complete.
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("t.jsonl")), "previous\n");
    EXPECT_TRUE(trace.Finish());
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("t.jsonl")),
              "{\"op\":\"moveto\",\"x\":1,\"y\":2}\n");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"t.jsonl"});
    surface::TraceWriter bad(dir.File("missing/t.jsonl"));
    EXPECT_FALSE(bad.Ok());
    EXPECT_NO_THROW(bad.Close());
    EXPECT_FALSE(bad.Finish());
    EXPECT_EQ(bad.Reason(), std::strerror(ENOENT));
}

TEST(PrinterTrace, EveryOperationWithItsValues)
{
    FilePrinter p("t.png", 600, 600, 100, 50, {"A4", 210, 297});
    auto& printer = p.Printer();
    auto& c = p.Canvas();
    printer.DocumentTitle = "OCR";
    printer.OpenDocument();
    c.Font().SetSize(10);
    const std::string text = Sjis("申告書");
    const std::string w = std::to_string(c.MeasureText(text).Width());
    const std::string h = std::to_string(c.MeasureText(text).Height());
    c.PutText(1081, 2262, text);
    c.MovePenTo(1181, 23);
    c.Pen().SetWidth(0);
    c.DrawLineTo(1181, 2007);
    c.Brush().SetStyle(surface::bsClear);
    c.Pen().SetWidth(2);
    c.DrawRectangle(118, 118, 1889, 2480);
    c.Pen().SetWidth(7);
    c.DrawRoundRect(10, 20, 30, 40, 35, 35);
    c.PutText(5, 6, "x");
    printer.CloseDocument();
    const std::string wx = std::to_string(c.MeasureText("x").Width());
    const std::vector<std::string> expected{
        R"({"op":"open","version":1,"title":"OCR","dpi_x":600,"dpi_y":600,"offset_x":100,"offset_y":50})",
        R"({"op":"text","x":1081,"y":2262,"text":"申告書","size":10,"height":-83,"width":)" + w +
            R"(,"cell":)" + h + R"(,"brush":"solid"})",
        R"({"op":"moveto","x":1181,"y":23})",
        R"({"op":"lineto","x":1181,"y":2007,"pen":0})",
        R"({"op":"rect","x1":118,"y1":118,"x2":1889,"y2":2480,"pen":2,"brush":"clear"})",
        R"({"op":"roundrect","x1":10,"y1":20,"x2":30,"y2":40,"ex":35,"ey":35,"pen":7,"brush":"clear"})",
        R"({"op":"text","x":5,"y":6,"text":"x","size":10,"height":-83,"width":)" + wx +
            R"(,"cell":)" + h + R"(,"brush":"clear"})",
        R"({"op":"close"})",
    };
    EXPECT_EQ(p.TraceLines(), expected);
    EXPECT_EQ(c.PenX(), 5 + std::stoi(wx));
}

TEST(PrinterTrace, FailedOperationsAreNotTraced)
{
    FilePrinter p("t.png");
    EXPECT_FALSE(PrinterError([&] { p.Canvas().PutText(0, 0, "A"); }).empty());
    EXPECT_FALSE(PrinterError([&] { p.Printer().CloseDocument(); }).empty());
    p.Printer().OpenDocument();
    EXPECT_FALSE(PrinterError([&] { p.Printer().OpenDocument(); }).empty());
    p.Printer().AbortDocument();
    p.Printer().AbortDocument();
    const std::vector<std::string> expected{
        R"({"op":"open","version":1,"title":"","dpi_x":600,"dpi_y":600,"offset_x":0,"offset_y":0})",
        R"({"op":"abort"})",
    };
    EXPECT_EQ(p.TraceLines(), expected);
}

} // namespace
