// The error box's text: the full stop rule over code page 932 characters.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "cp932.h"
#include "errortext.h"

namespace {

std::string Sjis(const char* utf8)
{
    return core::EncodeCp932(utf8);
}

struct FormatRow
{
    const char* name;
    std::string message;
    std::string shown;
};

void PrintTo(const FormatRow& row, std::ostream* os)
{
    *os << row.name;
}

class FormatTable : public ::testing::TestWithParam<FormatRow>
{
};

TEST_P(FormatTable, AppendsAStopAfterCharactersAboveIt)
{
    EXPECT_EQ(core::FormatErrorMessage(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    ErrorBox, FormatTable,
    ::testing::Values(
        FormatRow{"Japanese", Sjis("現在印刷中です"), Sjis("現在印刷中です.")},
        FormatRow{"JapaneseWithBlank", Sjis("デフォルト プリンタが存在しません"),
                  Sjis("デフォルト プリンタが存在しません.")},
        FormatRow{"EndsWithStop", "abc.", "abc."},
        FormatRow{"EndsWithExclamation", "Hello!", "Hello!"}, FormatRow{"Empty", "", ""},
        FormatRow{"OneLetter", "x", "x."}, FormatRow{"EndsWithDigit", "12", "12."},
        FormatRow{"EndsWithHyphenBelowStop", "a-", "a-"},
        FormatRow{"EndsWithSlashAboveStop", "a/", "a/."}, FormatRow{"EndsWithBlank", "a ", "a "},
        FormatRow{"EndsWithComma", "a,", "a,"}, FormatRow{"HalfWidthKatakana", "\xB1", "\xB1."},
        FormatRow{"FullWidthStopIsAboveStop", Sjis("終了．"), Sjis("終了．") + "."},
        FormatRow{"TrailByteIsBackslash", Sjis("ソ"), Sjis("ソ") + "."},
        FormatRow{"JapaneseThenStop", Sjis("終了") + ".", Sjis("終了") + "."},
        // A lead byte takes the byte after it, whatever it is: "\x82." is one
        // character, so the message does not end in ".".
        FormatRow{"LeadByteSwallowsTheStop", "ab\x82.", "ab\x82.."},
        // Scanning from the start pairs the two lead bytes; the "." stands alone.
        FormatRow{"TwoLeadBytesThenStop", "\x82\x82.", "\x82\x82."},
        FormatRow{"LoneLeadByteAtTheEnd", "ab\x82", "ab\x82."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
