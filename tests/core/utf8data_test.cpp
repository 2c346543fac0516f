#include "utf8data.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using namespace std::string_literals;

struct ConvertRow
{
    const char* name;
    std::string utf8;
    std::string expected;
};

void PrintTo(const ConvertRow& row, std::ostream* os)
{
    *os << row.name;
}

class Utf8DataConverts : public testing::TestWithParam<ConvertRow>
{
};

TEST_P(Utf8DataConverts, ToTheBytesWindowsWouldSave)
{
    std::string out;
    core::Utf8DataProblem problem;
    ASSERT_TRUE(core::Utf8DataToCp932(GetParam().utf8, out, problem));
    EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Utf8DataConverts,
    testing::Values(
        ConvertRow{"Ascii", "1,2,10,1,0,1,a,b,c,,,ABC\r\n", "1,2,10,1,0,1,a,b,c,,,ABC\r\n"},
        ConvertRow{"Japanese", "申告書 ①ｱ\n", "\x90\x5C\x8D\x90\x8F\x91 \x87\x40\xB1\n"},
        ConvertRow{"ByteOrderMarkSkipped", "\xEF\xBB\xBFOCR", "OCR"},
        ConvertRow{"ControlBytesKept", "a\x1A\x01\0b"s, "a\x1A\x01\0b"s},
        ConvertRow{"Empty", "", ""}),
    [](const testing::TestParamInfo<ConvertRow>& info) { return info.param.name; });

struct ProblemRow
{
    const char* name;
    std::string utf8;
    std::size_t line;
    std::size_t column;
    bool notUtf8;
    char32_t codePoint;
};

void PrintTo(const ProblemRow& row, std::ostream* os)
{
    *os << row.name;
}

class Utf8DataRefuses : public testing::TestWithParam<ProblemRow>
{
};

TEST_P(Utf8DataRefuses, NamingLineColumnAndCharacter)
{
    std::string out;
    core::Utf8DataProblem problem;
    ASSERT_FALSE(core::Utf8DataToCp932(GetParam().utf8, out, problem));
    EXPECT_EQ(problem.Line, GetParam().line);
    EXPECT_EQ(problem.Column, GetParam().column);
    EXPECT_EQ(problem.NotUtf8, GetParam().notUtf8);
    EXPECT_EQ(problem.CodePoint, GetParam().codePoint);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Utf8DataRefuses,
    testing::Values(
        ProblemRow{"EmojiOnFirstLine", "ab😀", 1, 3, false, 0x1F600},
        ProblemRow{"ColumnsCountCharactersNotBytes", "x\n申告\u00A5", 2, 3, false, 0xA5},
        ProblemRow{"CrNotCounted", "a\r\nb\rc\u2603\r\n", 2, 3, false, 0x2603},
        ProblemRow{"ByteOrderMarkInsideRefused", "a\xEF\xBB\xBF", 1, 2, false, 0xFEFF},
        ProblemRow{"BomNotCounted", "\xEF\xBB\xBF\u301C", 1, 1, false, 0x301C},
        ProblemRow{"AfterEndOfFileByteStillRefused", "a\x1A\n\u00A5", 2, 1, false, 0xA5},
        ProblemRow{"Cp932BytesAreNotUtf8", "ok\n\x82\xA0", 2, 1, true, 0},
        ProblemRow{"CutSequence", "ab\xE3\x81", 1, 3, true, 0},
        ProblemRow{"Overlong", "\xC0\xAF", 1, 1, true, 0},
        ProblemRow{"Surrogate", "\xED\xA0\x80", 1, 1, true, 0}),
    [](const testing::TestParamInfo<ProblemRow>& info) { return info.param.name; });

} // namespace
