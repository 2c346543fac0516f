// The line format of the data file, cut byte by byte.
#include <gtest/gtest.h>

#include "cp932.h"
#include "econverterror.h"
#include "parseprintline.h"

namespace {

struct AcceptRow
{
    const char* name;
    std::string line;
    double posX;
    double posY;
    int fontSize;
    int horzAlign;
    int framed;
    int vertAlign;
    std::string text;
};

class ParseAccepted : public ::testing::TestWithParam<AcceptRow>
{
};

TEST_P(ParseAccepted, YieldsTheRecord)
{
    const AcceptRow& row = GetParam();
    print::PrintRecord record;
    ASSERT_EQ(print::ParsePrintLine(record, row.line), 1);
    EXPECT_DOUBLE_EQ(record.PosX, row.posX);
    EXPECT_DOUBLE_EQ(record.PosY, row.posY);
    EXPECT_EQ(record.FontSize, row.fontSize);
    EXPECT_EQ(record.HorzAlign, row.horzAlign);
    EXPECT_EQ(record.Framed, row.framed);
    EXPECT_EQ(record.VertAlign, row.vertAlign);
    EXPECT_EQ(record.Text, row.text);
}

const std::string kSjisName = "\x8E\x52\x93\x63\x20\x91\xBE\x98\x59"; // 山田 太郎

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseAccepted,
    ::testing::Values(
        AcceptRow{"TwelveFields", "12.5,30,10,1,0,1,a,b,c,d,e,ABC\n", 12.5, 30, 10, 1, 0, 1, "ABC"},
        AcceptRow{"QuotedTextWithComma", "12.5,30,10,1,0,1,a,b,c,d,e,\"ABC, DEF\"\n", 12.5, 30, 10,
                  1, 0, 1, "ABC, DEF"},
        AcceptRow{"OpeningQuoteOnlyLosesLastByte", "12.5,30,10,1,0,1,a,b,c,d,e,\"ABC\n", 12.5, 30,
                  10, 1, 0, 1, "AB"},
        // A double-byte character in the closing quote's place goes whole.
        AcceptRow{"OpeningQuoteOnlyLosesLastCharacter",
                  "12.5,30,10,1,0,1,a,b,c,d,e,\"" + kSjisName + "\n", 12.5, 30, 10, 1, 0, 1,
                  kSjisName.substr(0, 7)},
        AcceptRow{"SingleQuoteIsEmpty", "12.5,30,10,1,0,1,a,b,c,d,e,\"\n", 12.5, 30, 10, 1, 0, 1,
                  ""},
        AcceptRow{"EmptyLastField", "12.5,30,10,1,0,1,a,b,c,d,e,\n", 12.5, 30, 10, 1, 0, 1, ""},
        AcceptRow{"CutAfterFieldNine", "12.5,30,10,1,0,1,a,b,c,ABC\n", 12.5, 30, 10, 1, 0, 1,
                  "ABC"},
        AcceptRow{"TenCommas", "12.5,30,10,1,0,1,a,b,c,d,ABC\n", 12.5, 30, 10, 1, 0, 1, "ABC"},
        AcceptRow{"FieldsTenElevenEmpty", "12.5,30,10,1,0,1,a,b,c,,,ABC\n", 12.5, 30, 10, 1, 0, 1,
                  "ABC"},
        AcceptRow{"MoreCommasStayInText", "1,2,3,4,5,6,a,b,c,d,e,x,y,z\n", 1, 2, 3, 4, 5, 6,
                  "x,y,z"},
        AcceptRow{"NoLineFeedGivesEmptyText", "12.5,30,10,1,0,1,a,b,c,d,e,ABC", 12.5, 30, 10, 1, 0,
                  1, ""},
        AcceptRow{"BlanksAroundRealAccepted", " 12.5 , 30 ,10,1,0,1,a,b,c,d,e,ABC\n", 12.5, 30, 10,
                  1, 0, 1, "ABC"},
        AcceptRow{"BlanksAroundTextKept", "1,2,3,4,5,6,a,b,c,d,e, ABC \n", 1, 2, 3, 4, 5, 6,
                  " ABC "},
        AcceptRow{"InnerQuotesStay", "1,2,3,4,5,6,a,b,c,d,e,A\"B\"C\n", 1, 2, 3, 4, 5, 6,
                  "A\"B\"C"},
        AcceptRow{"HexIntegers", "1,2,$10,0x2,X1,-3,a,b,c,d,e,T\n", 1, 2, 16, 2, 1, -3, "T"},
        AcceptRow{"ShiftJisTextUntouched", "50,60,10,1,1,1,a,b,c,d,e," + kSjisName + "\n", 50, 60,
                  10, 1, 1, 1, kSjisName},
        AcceptRow{"TrailByteLikeBackslash", "1,2,3,1,0,1,a,b,c,d,e,\x95\x5C\n", 1, 2, 3, 1, 0, 1,
                  "\x95\x5C"},
        AcceptRow{"ExponentAndSigns", "+1e1,-2.5E-1,+7,-1,0,+2,a,b,c,d,e,T\n", 10, -0.25, 7, -1, 0,
                  2, "T"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RejectRow
{
    const char* name;
    std::string line;
    int field;
};

class ParseRejected : public ::testing::TestWithParam<RejectRow>
{
};

TEST_P(ParseRejected, ReturnsZeroAndNamesTheField)
{
    print::PrintRecord record;
    int field = -1;
    EXPECT_EQ(print::ParsePrintLine(record, GetParam().line, field), 0);
    EXPECT_EQ(field, GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseRejected,
    ::testing::Values(RejectRow{"EmptyLine", "", 1}, RejectRow{"OnlyLineFeed", "\n", 1},
                      RejectRow{"NoComma", "hello world\n", 1},
                      RejectRow{"EmptyFirstField", ",30,10,1,0,1,a,b,c,d,e,T\n", 1},
                      RejectRow{"EmptySecondField", "1,,10,1,0,1,a,b,c,d,e,T\n", 2},
                      RejectRow{"EmptyFontSize", "1,2,,1,0,1,a,b,c,d,e,T\n", 3},
                      RejectRow{"EmptyVertAlign", "1,2,3,1,0,,a,b,c,d,e,T\n", 6},
                      RejectRow{"EmptySeventh", "1,2,3,1,0,1,,b,c,d,e,T\n", 7},
                      RejectRow{"EmptyNinth", "1,2,3,1,0,1,a,b,,d,e,T\n", 9},
                      RejectRow{"OnlyEightCommas", "1,2,3,1,0,1,a,b,c\n", 9},
                      RejectRow{"FieldOneAtEndOfLine", "12.5", 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorRow
{
    const char* name;
    std::string line;
    std::string messageUtf8;
};

class ParseConversionError : public ::testing::TestWithParam<ErrorRow>
{
};

TEST_P(ParseConversionError, ThrowsWithTheFieldText)
{
    print::PrintRecord record;
    try {
        print::ParsePrintLine(record, GetParam().line);
        FAIL() << "no conversion error";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), core::EncodeCp932(GetParam().messageUtf8));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseConversionError,
    ::testing::Values(
        ErrorRow{"HeaderLine", "PosX,PosY,Size,H,F,V,a,b,c,d,e,Text\n",
                 "'PosX' は浮動小数点数ではありません"},
        ErrorRow{"WordWithTooFewFields", "abc,1\n", "'abc' は浮動小数点数ではありません"},
        ErrorRow{"BadSecondField", "1,2mm,3,1,0,1,a,b,c,d,e,T\n",
                 "'2mm' は浮動小数点数ではありません"},
        ErrorRow{"BlankAfterInteger", "1,2,10 ,1,0,1,a,b,c,d,e,T\n", "'10 ' は整数ではありません"},
        ErrorRow{"RealInIntegerField", "1,2,10,1.5,0,1,a,b,c,d,e,T\n",
                 "'1.5' は整数ではありません"},
        ErrorRow{"IntegerOutOfRange", "1,2,2147483648,1,0,1,a,b,c,d,e,T\n",
                 "'2147483648' は整数ではありません"},
        ErrorRow{"NanIsNoNumber", "nan,2,3,1,0,1,a,b,c,d,e,T\n",
                 "'nan' は浮動小数点数ではありません"},
        ErrorRow{"InfinityIsNoNumber", "1,inf,3,1,0,1,a,b,c,d,e,T\n",
                 "'inf' は浮動小数点数ではありません"},
        ErrorRow{"BadVertAlignAfterEmptyLater", "1,2,3,1,0,x,,b,c,d,e,T\n",
                 "'x' は整数ではありません"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParsePrintLine, FieldsBeforeTheErrorAreAlreadyStored)
{
    print::PrintRecord record;
    EXPECT_THROW(print::ParsePrintLine(record, "7.5,8.5,12,abc,0,1,a,b,c,d,e,T\n"),
                 core::EConvertError);
    EXPECT_DOUBLE_EQ(record.PosX, 7.5);
    EXPECT_DOUBLE_EQ(record.PosY, 8.5);
    EXPECT_EQ(record.FontSize, 12);
}

TEST(ParsePrintLine, ShiftJisFieldKeptByteForByteInTheMessage)
{
    print::PrintRecord record;
    const std::string field = "\x82\xA0\x82\xA2"; // あい
    try {
        print::ParsePrintLine(record, field + ",1,2,3,4,5,a,b,c,d,e,T\n");
        FAIL() << "no conversion error";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(),
                  "'" + field + "'" + core::EncodeCp932(" は浮動小数点数ではありません"));
    }
}

} // namespace
