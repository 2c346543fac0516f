#include "conversions.h"
#include "cp932.h"
#include "econverterror.h"

#include <gtest/gtest.h>

#include <ostream>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using core::FloatToStr;
using core::StrToFloat;
using core::StrToFloatDef0;
using core::StrToInt;
using core::TryStrToFloat;
using core::TryStrToInt;

struct RealRow
{
    const char* name;
    std::string text;
    double expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const RealRow& row, std::ostream* os)
{
    *os << row.name;
}

class StrToFloatAccepts : public testing::TestWithParam<RealRow>
{
};

TEST_P(StrToFloatAccepts, ConvertsToTheValue)
{
    const RealRow& row = GetParam();
    const double value = StrToFloat(row.text);
    EXPECT_EQ(value, row.expected);
    EXPECT_EQ(std::signbit(value), std::signbit(row.expected));
    double tried = 12345;
    EXPECT_TRUE(TryStrToFloat(row.text, tried));
    EXPECT_EQ(tried, row.expected);
    EXPECT_EQ(StrToFloatDef0(row.text), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StrToFloatAccepts,
    testing::Values(RealRow{"Plain", "12.5", 12.5}, RealRow{"BlanksAround", " 12.5 ", 12.5},
                    RealRow{"PlusSign", "+3", 3}, RealRow{"MinusNoIntegerDigits", "-.5", -0.5},
                    RealRow{"NoFractionDigits", "5.", 5}, RealRow{"ExponentUpper", "1E3", 1000},
                    RealRow{"ExponentPlus", "1e+3", 1000},
                    RealRow{"ExponentNegative", "2.5e-3", 0.0025},
                    RealRow{"NegativeZero", "  -0 ", -0.0}, RealRow{"Integer", "150", 150},
                    RealRow{"LeadingZeros", "007.50", 7.5}, RealRow{"FractionOnly", ".125", 0.125},
                    RealRow{"DotThenExponent", "5.e2", 500}, RealRow{"TenthNotExact", "0.1", 0.1},
                    RealRow{"CorrectlyRounded", "2.2250738585072014e-308", 2.2250738585072014e-308},
                    RealRow{"Subnormal", "4.9406564584124654e-324", 4.9406564584124654e-324},
                    RealRow{"Underflow", "1e-400", 0.0},
                    RealRow{"UnderflowNegative", "-1e-400", -0.0},
                    RealRow{"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
                    RealRow{"HugeExponentOfZero", "0e999999999999999999999", 0.0},
                    RealRow{"ManyDigitsScaledDown", std::string(400, '1') + "e-399", 10.0 / 9.0},
                    RealRow{"ManyZerosThenDigit", "0." + std::string(300, '0') + "5e300", 0.5}),
    [](const testing::TestParamInfo<RealRow>& info) { return info.param.name; });

struct RejectRow
{
    const char* name;
    std::string text;
};

void PrintTo(const RejectRow& row, std::ostream* os)
{
    *os << row.name;
}

class StrToFloatRejects : public testing::TestWithParam<RejectRow>
{
};

TEST_P(StrToFloatRejects, ThrowsAndLenientGivesZero)
{
    const RejectRow& row = GetParam();
    EXPECT_THROW(StrToFloat(row.text), core::EConvertError);
    double tried = 12345;
    EXPECT_FALSE(TryStrToFloat(row.text, tried));
    EXPECT_EQ(tried, 12345) << "a failed conversion must leave the value alone";
    EXPECT_EQ(StrToFloatDef0(row.text), 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StrToFloatRejects,
    testing::Values(
        RejectRow{"Nan", "nan"}, RejectRow{"Inf", "inf"}, RejectRow{"Infinity", "infinity"},
        RejectRow{"HexFloat", "0x1p3"}, RejectRow{"Thousands", "1,000"},
        RejectRow{"CommaDecimal", "1,5"}, RejectRow{"FullWidthDigitsCp932", "\x82\x50\x82\x51"},
        RejectRow{"ArabicIndicDigitUtf8", "\xD9\xA3"}, RejectRow{"TrailingText", "12abc"},
        RejectRow{"ExponentNoDigits", "1e"}, RejectRow{"ExponentSignNoDigits", "1e+"},
        RejectRow{"ExponentOnly", "e5"}, RejectRow{"Empty", ""}, RejectRow{"OnlyBlanks", "   "},
        RejectRow{"OnlyDot", "."}, RejectRow{"OnlySign", "-"}, RejectRow{"DoubleSign", "+-1"},
        RejectRow{"BlankAfterSign", "- 1"}, RejectRow{"TwoDots", "1.2.3"},
        RejectRow{"LeadingTab", "\t1"}, RejectRow{"TrailingTab", "1\t"},
        RejectRow{"TrailingLineFeed", "1\n"}, RejectRow{"EmbeddedNul", std::string("1\0", 2)},
        RejectRow{"Overflow", "1e309"}, RejectRow{"OverflowNegative", "-1e400"},
        RejectRow{"OverflowByDigits", std::string(400, '9')},
        RejectRow{"OverflowHugeExponent", "1e99999999999999999999"}, RejectRow{"Word", "PosX"}),
    [](const testing::TestParamInfo<RejectRow>& info) { return info.param.name; });

TEST(StrToFloatMessage, NamesTheTextInCodePage932)
{
    try {
        StrToFloat("abc");
        FAIL() << "no exception";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), core::EncodeCp932("'abc' は浮動小数点数ではありません"));
        // The literal bytes: は is 82 CD in code page 932.
        EXPECT_EQ(e.Message().substr(0, 7), std::string("'abc' \x82\xCD", 7));
    }
}

TEST(StrToFloatMessage, KeepsShiftJisFieldBytes)
{
    const std::string field = "\x82\xA0"; // あ
    try {
        StrToFloat(field);
        FAIL() << "no exception";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'" + field + core::EncodeCp932("' は浮動小数点数ではありません"));
        EXPECT_EQ(core::Cp932ToUtf8(e.Message()), "'あ' は浮動小数点数ではありません");
    }
}

TEST(StrToFloatLong, TenMegabytesOfDigits)
{
    const std::string digits(10 * 1024 * 1024, '1');
    EXPECT_THROW(StrToFloat(digits), core::EConvertError) << "beyond the range of double";
    const std::string fraction = "0." + digits;
    EXPECT_EQ(StrToFloat(fraction), 1.0 / 9.0);
    const std::string tiny = "0." + std::string(10 * 1024 * 1024, '0') + "1";
    EXPECT_EQ(StrToFloat(tiny), 0.0);
}

struct IntRow
{
    const char* name;
    const char* text;
    std::int32_t expected;
};

void PrintTo(const IntRow& row, std::ostream* os)
{
    *os << row.name;
}

class StrToIntAccepts : public testing::TestWithParam<IntRow>
{
};

TEST_P(StrToIntAccepts, ConvertsToTheValue)
{
    const IntRow& row = GetParam();
    EXPECT_EQ(StrToInt(row.text), row.expected);
    std::int32_t tried = 12345;
    EXPECT_TRUE(TryStrToInt(row.text, tried));
    EXPECT_EQ(tried, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StrToIntAccepts,
    testing::Values(
        IntRow{"Plain", "10", 10}, IntRow{"LeadingBlank", " 1", 1}, IntRow{"PlusSign", "+7", 7},
        IntRow{"MinusSign", "-3", -3}, IntRow{"LeadingZeros", "007", 7}, IntRow{"Zero", "0", 0},
        IntRow{"Max", "2147483647", 2147483647}, IntRow{"Min", "-2147483648", -2147483647 - 1},
        IntRow{"DollarHex", "$1F", 31}, IntRow{"LowerXHex", "xff", 255},
        IntRow{"UpperXHex", "XaB", 171}, IntRow{"ZeroXHex", "0x10", 16},
        IntRow{"ZeroUpperXHex", "0X7fffffff", 2147483647}, IntRow{"SignThenPrefix", "+$10", 16},
        IntRow{"MinHex", "-$80000000", -2147483647 - 1},
        IntRow{"HexLeadingZeros", "$000000000000FF", 255}, IntRow{"BlanksThenHex", "  -0x1", -1}),
    [](const testing::TestParamInfo<IntRow>& info) { return info.param.name; });

class StrToIntRejects : public testing::TestWithParam<RejectRow>
{
};

TEST_P(StrToIntRejects, Throws)
{
    const RejectRow& row = GetParam();
    EXPECT_THROW(StrToInt(row.text), core::EConvertError);
    std::int32_t tried = 12345;
    EXPECT_FALSE(TryStrToInt(row.text, tried));
    EXPECT_EQ(tried, 12345);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StrToIntRejects,
    testing::Values(RejectRow{"TrailingBlank", "1 "}, RejectRow{"ZeroXNoDigits", "0x"},
                    RejectRow{"DollarNoDigits", "$"}, RejectRow{"Fraction", "1.0"},
                    RejectRow{"Empty", ""}, RejectRow{"OnlyBlanks", "  "},
                    RejectRow{"OnlySign", "-"}, RejectRow{"AboveMax", "2147483648"},
                    RejectRow{"BelowMin", "-2147483649"}, RejectRow{"HexAboveMax", "$80000000"},
                    RejectRow{"HexBelowMin", "-$80000001"},
                    RejectRow{"FarAboveMax", "99999999999999999999999"},
                    RejectRow{"WrapsModulo64Bits", "18446744073709551617"},
                    RejectRow{"HexDigitInDecimal", "1A"}, RejectRow{"BadHexDigit", "$1G"},
                    RejectRow{"Exponent", "1e3"}, RejectRow{"DoubleSign", "--1"},
                    RejectRow{"PrefixThenSign", "$-1"}, RejectRow{"TwoPrefixes", "0x$1"},
                    RejectRow{"LeadingTab", "\t1"}, RejectRow{"TrailingLineFeed", "1\n"},
                    RejectRow{"FullWidthDigit", "\x82\x50"}),
    [](const testing::TestParamInfo<RejectRow>& info) { return info.param.name; });

TEST(StrToIntMessage, NamesTheTextInCodePage932)
{
    try {
        StrToInt("10 ");
        FAIL() << "no exception";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), core::EncodeCp932("'10 ' は整数ではありません"));
        EXPECT_EQ(core::Cp932ToUtf8(e.Message()), "'10 ' は整数ではありません");
    }
}

struct FormatRow
{
    const char* name;
    double value;
    const char* expected;
};

void PrintTo(const FormatRow& row, std::ostream* os)
{
    *os << row.name;
}

class FloatToStrRows : public testing::TestWithParam<FormatRow>
{
};

TEST_P(FloatToStrRows, Formats)
{
    EXPECT_EQ(FloatToStr(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FloatToStrRows,
    testing::Values(
        FormatRow{"HundredThousandth", 1e-5, "1E-5"}, FormatRow{"TenThousandth", 0.0001, "0.0001"},
        FormatRow{"SmallFixed", 0.00012345, "0.00012345"},
        FormatRow{"JustBelowTenThousandth", 0.0000999, "9.99E-5"},
        FormatRow{"RoundsUpToTenThousandth", 0.0000999999999999999999, "0.0001"},
        FormatRow{"TenToFifteen", 1e15, "1E15"},
        FormatRow{"FifteenDigits", 123456789012345.0, "123456789012345"},
        FormatRow{"SixteenDigits", 1234567890123456.0, "1.23456789012346E15"},
        FormatRow{"RoundsUpToTenToFifteen", 999999999999999.9, "1E15"},
        FormatRow{"NegativeHalf", -2.5, "-2.5"}, FormatRow{"Whole", 150, "150"},
        FormatRow{"Zero", 0.0, "0"}, FormatRow{"NegativeZero", -0.0, "0"},
        FormatRow{"PointOnePlusPointTwo", 0.1 + 0.2, "0.3"},
        FormatRow{"OneThird", 1.0 / 3.0, "0.333333333333333"},
        FormatRow{"TwoThirds", 2.0 / 3.0, "0.666666666666667"},
        FormatRow{"NegativeSmall", -1.5e-7, "-1.5E-7"},
        FormatRow{"LargeExponent", 1.7976931348623157e308, "1.79769313486232E308"},
        FormatRow{"Subnormal", 4.9406564584124654e-324, "4.94065645841247E-324"},
        FormatRow{"Hundred", 100, "100"}, FormatRow{"WholeAndFraction", 1234.5, "1234.5"},
        FormatRow{"NaN", std::numeric_limits<double>::quiet_NaN(), "NAN"},
        FormatRow{"Infinity", std::numeric_limits<double>::infinity(), "INF"},
        FormatRow{"NegativeInfinity", -std::numeric_limits<double>::infinity(), "-INF"}),
    [](const testing::TestParamInfo<FormatRow>& info) { return info.param.name; });

// The written form, read back, is the value to 15 significant digits, and
// writing that again gives the same text.
TEST(FloatToStrRoundTrip, PseudoRandomValues)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::bernoulli_distribution negative(0.5);
    for (int i = 0; i < 4000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (negative(random))
            value = -value;
        const std::string text = FloatToStr(value);
        SCOPED_TRACE(text);
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(text, back));
        EXPECT_NEAR(back, value, std::fabs(value) * 5.000001e-15);
        EXPECT_EQ(FloatToStr(back), text);
        EXPECT_EQ(text.find('+'), std::string::npos);
    }
}

// Qt sets the process locale from the environment; a locale with a decimal
// comma must change nothing.
TEST(ConversionsLocale, DecimalCommaLocaleChangesNothing)
{
    char dirTemplate[] = "/tmp/ocrprint-locale-XXXXXX";
    const char* dir = ::mkdtemp(dirTemplate);
    ASSERT_NE(dir, nullptr);
    const std::string command =
        std::string("localedef -i de_DE -f UTF-8 ") + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        std::filesystem::remove_all(dir);
        GTEST_SKIP() << "localedef cannot build de_DE.UTF-8 here";
    }
    ::setenv("LOCPATH", dir, 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const std::string localeForm = probe;

    const double half = StrToFloatDef0("1.5");
    double comma = 0;
    const bool commaRejected = !TryStrToFloat("1,5", comma);
    const std::string formatted = FloatToStr(-2.5);
    const std::string small = FloatToStr(1.25e-7);

    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
    std::filesystem::remove_all(dir);

    ASSERT_EQ(localeForm, "1,5") << "the locale did not take effect";
    EXPECT_EQ(half, 1.5);
    EXPECT_TRUE(commaRejected);
    EXPECT_EQ(formatted, "-2.5");
    EXPECT_EQ(small, "1.25E-7");
}

} // namespace
