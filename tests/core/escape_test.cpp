// Control bytes of a data file escaped before they reach a message.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "conversions.h"
#include "econverterror.h"
#include "escape.h"

namespace {

struct EscapeRow
{
    const char* name;
    std::string bytes;
    std::string shown;
};

void PrintTo(const EscapeRow& row, std::ostream* os)
{
    *os << row.name;
}

class EscapeTable : public ::testing::TestWithParam<EscapeRow>
{
};

TEST_P(EscapeTable, WritesControlBytesAndBackslashesAsEscapes)
{
    EXPECT_EQ(core::EscapeControlChars(GetParam().bytes), GetParam().shown);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Bytes, EscapeTable,
    ::testing::Values(
        EscapeRow{"PlainTextUnchanged", "abc 1.5,+-", "abc 1.5,+-"},
        EscapeRow{"EscapeSequence", "\x1b[2J\x1b]0;x\x07", "\\x1b[2J\\x1b]0;x\\x07"},
        EscapeRow{"NulTabCrLfAndDelete", "a\0b\tc\r\n\x7f"s, "a\\x00b\\x09c\\x0d\\x0a\\x7f"},
        EscapeRow{"LastControlByte", "\x1f ", "\\x1f "}, EscapeRow{"Backslash", "C:\\x", "C:\\\\x"},
        // "表" and "ソ" end in 0x5C: part of the character, not a backslash.
        EscapeRow{"DoubleByteEndingIn5C", "\x95\x5c\x83\x5c", "\x95\x5c\x83\x5c"},
        EscapeRow{"KatakanaAndHighBytes", "\x83\x65\xa1\xdf\x80", "\x83\x65\xa1\xdf\x80"},
        // A lead byte before a control byte is no character: the control
        // byte is still escaped.
        EscapeRow{"LeadByteBeforeControl", "\x82\x1b", "\x82\\x1b"},
        EscapeRow{"LeadByteAtTheEnd", "a\x82", "a\x82"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MessageRow
{
    const char* name;
    bool integer; // StrToInt, else StrToFloat
    std::string text;
    const char* message;
};

void PrintTo(const MessageRow& row, std::ostream* os)
{
    *os << row.name;
}

class ConversionMessageTable : public ::testing::TestWithParam<MessageRow>
{
};

// The conversion error quotes the field: the place where a data file's bytes
// become a message.
TEST_P(ConversionMessageTable, QuotesTheFieldEscaped)
{
    const MessageRow& row = GetParam();
    try {
        if (row.integer)
            core::StrToInt(row.text);
        else
            core::StrToFloat(row.text);
        FAIL() << "no conversion error";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message().substr(0, e.Message().find('\'', 1) + 1), row.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ConversionMessageTable,
    ::testing::Values(MessageRow{"RealWithEscapeSequence", false, "\x1b[31m1", "'\\x1b[31m1'"},
                      MessageRow{"IntegerWithBell", true, "7\x07", "'7\\x07'"},
                      MessageRow{"RealWithBackslash", false, "1\\", "'1\\\\'"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
