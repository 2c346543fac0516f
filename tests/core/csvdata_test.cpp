#include "csvdata.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using namespace std::string_literals;
using Kind = core::CsvDataProblem::Kind;

constexpr std::size_t MaxLine = 254;

struct WriteRow
{
    const char* name;
    std::string csv;
    std::string expected;
};

void PrintTo(const WriteRow& row, std::ostream* os)
{
    *os << row.name;
}

class CsvWrites : public testing::TestWithParam<WriteRow>
{
};

TEST_P(CsvWrites, DataFileLines)
{
    std::string out;
    core::CsvDataProblem problem;
    ASSERT_TRUE(core::CsvToDataFile(GetParam().csv, MaxLine, out, problem))
        << "row " << problem.Row;
    EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvWrites,
    testing::Values(
        WriteRow{"Plain", "1,2,10,1,0,1,a,b,c,,,ABC\r\n", "1,2,10,1,0,1,a,b,c,,,ABC\r\n"},
        WriteRow{"LfRecordsAndNoFinalLineEnd", "1,2,3,1,0,1,a,b,c,d,e,X\n4,5,6,1,0,1,a,b,c,,,Y",
                 "1,2,3,1,0,1,a,b,c,d,e,X\r\n4,5,6,1,0,1,a,b,c,,,Y\r\n"},
        WriteRow{"QuotedFieldsUnquoted", "\"1\",2,3,1,0,1,\"a\",b,c,,,\"ABC\"\r\n",
                 "1,2,3,1,0,1,a,b,c,,,ABC\r\n"},
        WriteRow{"TextWithCommaQuoted", "1,2,3,1,0,1,a,b,c,,,\"1,200,000\"\r\n",
                 "1,2,3,1,0,1,a,b,c,,,\"1,200,000\"\r\n"},
        WriteRow{"TextStartingWithQuoteQuoted", "1,2,3,1,0,1,a,b,c,,,\"\"\"x\"\" y\"\r\n",
                 "1,2,3,1,0,1,a,b,c,,,\"\"x\" y\"\r\n"},
        WriteRow{"QuoteInsideTextKept", "1,2,3,1,0,1,a,b,c,,,\"5\"\" disk\"\r\n",
                 "1,2,3,1,0,1,a,b,c,,,5\" disk\r\n"},
        WriteRow{"BlanksKept", " 1 ,2,3,1,0,1,a,b,c,,, A \r\n", " 1 ,2,3,1,0,1,a,b,c,,, A \r\n"},
        WriteRow{"Cp932BytesPassUnchanged", "1,2,3,1,0,1,a,b,c,,,\x95\x5C\x8E\xA6\r\n",
                 "1,2,3,1,0,1,a,b,c,,,\x95\x5C\x8E\xA6\r\n"},
        WriteRow{"EmptyLinesAreNoRecords", "\r\n1,2,3,1,0,1,a,b,c,,,X\r\n\r\n",
                 "1,2,3,1,0,1,a,b,c,,,X\r\n"},
        WriteRow{"LongestLineThatIsReadWhole", "1,2,3,1,0,1,a,b,c,,," + std::string(234, 'x'),
                 "1,2,3,1,0,1,a,b,c,,," + std::string(234, 'x') + "\r\n"},
        WriteRow{"Nothing", "", ""}),
    [](const testing::TestParamInfo<WriteRow>& info) { return info.param.name; });

struct RefuseRow
{
    const char* name;
    std::string csv;
    Kind kind;
    std::size_t row;
    std::size_t field;
    std::size_t count;
};

void PrintTo(const RefuseRow& row, std::ostream* os)
{
    *os << row.name;
}

class CsvRefuses : public testing::TestWithParam<RefuseRow>
{
};

TEST_P(CsvRefuses, NamingTheRow)
{
    std::string out;
    core::CsvDataProblem problem;
    ASSERT_FALSE(core::CsvToDataFile(GetParam().csv, MaxLine, out, problem));
    EXPECT_EQ(problem.Problem, GetParam().kind);
    EXPECT_EQ(problem.Row, GetParam().row);
    EXPECT_EQ(problem.Field, GetParam().field);
    EXPECT_EQ(problem.Count, GetParam().count);
}

const std::string Good = "1,2,3,1,0,1,a,b,c,,,X\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, CsvRefuses,
    testing::Values(
        RefuseRow{"ElevenColumns", Good + "1,2,3,1,0,1,a,b,c,,\r\n", Kind::ColumnCount, 2, 0, 11},
        RefuseRow{"ThirteenColumns", "1,2,3,1,0,1,a,b,c,,,X,Y\r\n", Kind::ColumnCount, 1, 0, 13},
        RefuseRow{"CommaInField9", Good + Good + "1,2,3,1,0,1,a,b,\"c,d\",,,X\r\n",
                  Kind::SeparatorField, 3, 9, 0},
        RefuseRow{"QuoteInField1", "\"1\"\"\",2,3,1,0,1,a,b,c,,,X\r\n", Kind::SeparatorField, 1, 1,
                  0},
        RefuseRow{"LineBreakInText", "1,2,3,1,0,1,a,b,c,,,\"A\r\nB\"\r\n", Kind::LineBreak, 1, 12,
                  0},
        RefuseRow{"LineBreakInField7", Good + "1,2,3,1,0,1,\"a\nb\",b,c,,,X\r\n", Kind::LineBreak,
                  2, 7, 0},
        RefuseRow{"EndOfFileByte",
                  "1,2,3,1,0,1,a,b,c,,,A\x1A"
                  "B\r\n",
                  Kind::EndOfFileByte, 1, 12, 0},
        RefuseRow{"NulByte", "1,2,3,1,0,1,a,b,c,,,A\0B\r\n"s, Kind::NulByte, 1, 12, 0},
        RefuseRow{"QuoteInsideUnquotedField", Good + "1,2,3,1,0,1,a,b,c,,,A\"B\r\n", Kind::NotCsv,
                  2, 0, 0},
        RefuseRow{"TextAfterClosingQuote", "1,2,3,1,0,1,a,b,c,,,\"A\"B\r\n", Kind::NotCsv, 1, 0, 0},
        RefuseRow{"QuoteLeftOpen", Good + "1,2,3,1,0,1,a,b,c,,,\"AB\r\n", Kind::NotCsv, 2, 0, 0},
        RefuseRow{"LineReadInPieces", "1,2,3,1,0,1,a,b,c,,," + std::string(235, 'x'),
                  Kind::LineTooLong, 1, 0, 255}),
    [](const testing::TestParamInfo<RefuseRow>& info) { return info.param.name; });

} // namespace
