// UTF-8 data and spreadsheets: print --encoding utf-8 and convert [--csv], as
// a user runs them, byte for byte against the code page 932 sample.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "clirun.h"
#include "cp932.h"
#include "testutil.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;

std::string Sample()
{
    return testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn");
}

// Drops every CR: the sample as a tool on Linux would save it.
std::string LfOnly(std::string text)
{
    std::erase(text, '\r');
    return text;
}

struct UsageRow
{
    const char* name;
    QStringList args;
};

void PrintTo(const UsageRow& row, std::ostream* os)
{
    *os << row.name;
}

class EncodingUsage : public ::testing::TestWithParam<UsageRow>
{
};

TEST_P(EncodingUsage, ExitsTwo)
{
    const Result r = RunCli(GetParam().args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find("Try 'ocrprint-cli --help'."), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Errors, EncodingUsage,
    ::testing::Values(UsageRow{"UnknownEncoding", {"print", "--encoding", "latin1"}},
                      UsageRow{"EncodingOnSheet", {"sheet", "--encoding", "utf-8"}},
                      UsageRow{"CsvOutsideConvert", {"print", "--csv"}},
                      UsageRow{"ConvertWithoutInput", {"convert", "-o", "o"}},
                      UsageRow{"ConvertWithoutOutput", {"convert", "in.csv"}},
                      UsageRow{"ConvertWithDeviceOption",
                               {"convert", "in", "-o", "o", "--dpi", "300"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Utf8TraceRow
{
    const char* name;
    std::string utf8; // the data file's bytes
};

void PrintTo(const Utf8TraceRow& row, std::ostream* os)
{
    *os << row.name;
}

class Utf8Print : public ::testing::TestWithParam<Utf8TraceRow>
{
};

TEST_P(Utf8Print, TraceEqualsTheCodePage932Sample)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("data.txt"), GetParam().utf8);
    const auto trace = [&](const std::string& data, const char* name, const QStringList& extra) {
        const Result r =
            RunCli(QStringList{"print", "--data", Q(data), "--settings",
                               Q(testutil::DefaultSettings(dir.File("none.ini"))), "-o",
                               Q(dir.File("o.pdf")), "--dpi", "300", "--trace", Q(dir.File(name))} +
                       extra,
                   dir.Path());
        EXPECT_EQ(r.status, 0) << r.err;
        return testutil::ReadFileBytes(dir.File(name));
    };
    const std::string expected = trace(testutil::SourceDir() + "/examples/ocrdat.prn", "a", {});
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(trace(dir.File("data.txt"), "b", {"--encoding", "utf-8"}) == expected);
}

INSTANTIATE_TEST_SUITE_P(Files, Utf8Print,
                         ::testing::Values(Utf8TraceRow{"CrLf", core::Cp932ToUtf8(Sample())},
                                           Utf8TraceRow{"ByteOrderMarkAndLf",
                                                        "\xEF\xBB\xBF" +
                                                            LfOnly(core::Cp932ToUtf8(Sample()))}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ConvertRow
{
    const char* name;
    QStringList options;
    std::string input;
    std::string expected; // the file written
};

void PrintTo(const ConvertRow& row, std::ostream* os)
{
    *os << row.name;
}

class Convert : public ::testing::TestWithParam<ConvertRow>
{
};

TEST_P(Convert, WritesTheDataFile)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("in"), GetParam().input);
    const Result r = RunCli(QStringList{"convert"} + GetParam().options +
                            QStringList{Q(dir.File("in")), "-o", Q(dir.File("ocrdat.prn"))});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(testutil::ReadFileBytes(dir.File("ocrdat.prn")) == GetParam().expected);
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"in", "ocrdat.prn"}));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Convert,
    ::testing::Values(
        ConvertRow{"ExampleSpreadsheet",
                   {"--csv"},
                   testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.csv"),
                   Sample()},
        ConvertRow{"Utf8DataFileWithLf", {}, LfOnly(core::Cp932ToUtf8(Sample())), Sample()},
        ConvertRow{"QuotesCommasAndLineEnds",
                   {"--csv"},
                   "\xEF\xBB\xBF"
                   "1,2,9,1,0,1,a,b,c,,,\"申告, 書\"\n"
                   "\"3\",4,9,1,0,1,a,b,c,,,\"\"\"引用\"\"\"\r\n"
                   "5,6,9,1,0,1,a,b,c,,,\"5\"\" 盤\"",
                   "1,2,9,1,0,1,a,b,c,,,\"\x90\x5C\x8D\x90, \x8F\x91\"\r\n"
                   "3,4,9,1,0,1,a,b,c,,,\"\"\x88\xF8\x97\x70\"\"\r\n"
                   "5,6,9,1,0,1,a,b,c,,,5\" \x94\xD5\r\n"},
        ConvertRow{"Cp932Spreadsheet",
                   {"--from", "cp932", "--csv"},
                   "1,2,9,1,0,1,a,b,c,,,\x95\x5C\n",
                   "1,2,9,1,0,1,a,b,c,,,\x95\x5C\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureRow
{
    const char* name;
    QStringList args; // IN is "in", OUT is "out" in the test's directory
    std::string input;
    std::string message; // on standard error, "DIR/" standing for the directory
};

void PrintTo(const FailureRow& row, std::ostream* os)
{
    *os << row.name;
}

class Failure : public ::testing::TestWithParam<FailureRow>
{
};

// Nothing is written on any failure: an OUT that was there keeps its bytes,
// no temporary is left, no trace is begun.
TEST_P(Failure, WritesNothing)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("in"), GetParam().input);
    testutil::WriteFileBytes(dir.File("out"), "before");
    QStringList args;
    for (const QString& arg : GetParam().args)
        args << (arg == "in" || arg == "out" ? Q(dir.File(arg.toStdString())) : arg);
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 1);
    std::string message = GetParam().message;
    if (const std::size_t at = message.find("DIR/"); at != std::string::npos)
        message.replace(at, 3, dir.Path());
    EXPECT_EQ(r.err, message + "\n");
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("out")), "before");
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"in", "out"}));
}

const std::string Row = "1,2,9,1,0,1,a,b,c,,,X\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, Failure,
    ::testing::Values(
        FailureRow{"PrintUnmappable",
                   {"print", "--encoding", "utf-8", "--data", "in", "-o", "x.png", "--trace", "t"},
                   Row + "1,2,9,1,0,1,a,b,c,,,価格¥100\r\n",
                   "ocrprint-cli: DIR/in:2:23: error: U+00A5 has no code page 932 form"},
        FailureRow{"PrintNotUtf8",
                   {"print", "--encoding", "utf-8", "--data", "in", "-o", "x.png"},
                   "1,2,9,1,0,1,a,b,c,,,\x82\xA0\r\n",
                   "ocrprint-cli: DIR/in:1:21: error: byte 0x82 is not UTF-8"},
        FailureRow{"ConvertUnmappable",
                   {"convert", "in", "-o", "out"},
                   "ok\n😀",
                   "ocrprint-cli: DIR/in:2:1: error: U+1F600 has no code page 932 form"},
        FailureRow{"CsvUnmappable",
                   {"convert", "--csv", "in", "-o", "out"},
                   "a,\"b\nc〜\"",
                   "ocrprint-cli: DIR/in:2:2: error: U+301C has no code page 932 form"},
        FailureRow{"CsvElevenColumns",
                   {"convert", "--csv", "in", "-o", "out"},
                   Row + "1,2,9,1,0,1,a,b,c,,\r\n",
                   "ocrprint-cli: DIR/in: error: row 2 has 11 columns; a data file line has 12"},
        FailureRow{"CsvLineBreak",
                   {"convert", "--csv", "in", "-o", "out"},
                   Row + Row + "1,2,9,1,0,1,a,b,c,,,\"X\nY\"\r\n",
                   "ocrprint-cli: DIR/in: error: row 3: field 12 holds a line break"},
        FailureRow{"CsvCommaInField8",
                   {"convert", "--csv", "in", "-o", "out"},
                   "1,2,9,1,0,1,a,\"b,b\",c,,,X\r\n",
                   "ocrprint-cli: DIR/in: error: row 1: field 8 holds a comma or a quote, which "
                   "only the text "
                   "(field 12) may hold"},
        FailureRow{"CsvQuoteLeftOpen",
                   {"convert", "--csv", "in", "-o", "out"},
                   Row + "1,2,9,1,0,1,a,b,c,,,\"X\r\n",
                   "ocrprint-cli: DIR/in: error: row 2 is not CSV: a quote stands inside a field "
                   "or is never "
                   "closed"},
        FailureRow{"MissingInput",
                   {"convert", "none", "-o", "out"},
                   "",
                   "ocrprint-cli: none: cannot read it"},
        FailureRow{"OutputIsADirectory",
                   {"convert", "in", "-o", "/"},
                   "x",
                   "ocrprint-cli: /: cannot write it: Is a directory"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
