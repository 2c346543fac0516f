#include "cp932.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

struct DecodeRow
{
    const char* name;
    std::string bytes;
    std::u16string expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const DecodeRow& row, std::ostream* os)
{
    *os << row.name;
}

class DecodeCp932Rows : public testing::TestWithParam<DecodeRow>
{
};

TEST_P(DecodeCp932Rows, Decodes)
{
    EXPECT_EQ(core::DecodeCp932(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecodeCp932Rows,
    testing::Values(DecodeRow{"Ascii", "OCR 1,2", u"OCR 1,2"},
                    DecodeRow{"BackslashNotYen", "\x5C", u"\u005C"},
                    DecodeRow{"TildeNotOverline", "\x7E", u"\u007E"},
                    DecodeRow{"WaveDashIsFullWidthTilde", "\x81\x60", u"\uFF5E"},
                    DecodeRow{"NecRow13CircledOne", "\x87\x40", u"\u2460"},
                    DecodeRow{"IbmExtensionSmallRomanOne", "\xFA\x40", u"\u2170"},
                    DecodeRow{"HalfWidthKatakana", "\xB1", u"\uFF71"},
                    DecodeRow{"Hiragana", "\x82\xA0", u"\u3042"},
                    DecodeRow{"Kanji", "\x90\x5C\x8D\x90", u"\u7533\u544A"},
                    DecodeRow{"FullWidthReverseSolidus", "\x81\x5F", u"\uFF3C"},
                    DecodeRow{"NotSign", "\x81\xCA", u"\uFFE2"},
                    DecodeRow{"NulIsKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                    DecodeRow{"Empty", "", u""},
                    DecodeRow{"LoneTrailingLeadByte", "A\x82", u"A\uFFFD"},
                    DecodeRow{"LeadByteBeforeLineFeed", "\x82\n", u"\uFFFD\n"},
                    DecodeRow{"LeadByteBeforeComma", "\x90,1", u"\uFFFD,1"},
                    DecodeRow{"UnassignedPair", "\x85\x40Z", u"\uFFFDZ"},
                    DecodeRow{"PairThenLoneLead", "\x82\x82\x82", u"\uFF42\uFFFD"}),
    [](const testing::TestParamInfo<DecodeRow>& info) { return info.param.name; });

TEST(DecodeCp932, InvalidBytesNeverFail)
{
    // Whatever two bytes come first, a line feed after them is never taken
    // as a trail byte, so the line end and what follows survive.
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            std::string bytes{static_cast<char>(lead), static_cast<char>(trail), '\n', 'Q'};
            const std::u16string text = core::DecodeCp932(bytes);
            ASSERT_GE(text.size(), 3u);
            ASSERT_LE(text.size(), 4u);
            ASSERT_EQ(text.substr(text.size() - 2), u"\nQ") << lead << " " << trail;
        }
    }
}

TEST(DecodeCp932, LongTextCrossesChunks)
{
    std::string bytes;
    std::u16string expected;
    for (int i = 0; i < 5000; ++i) {
        bytes += "\x82\xA0x";
        expected += u"\u3042x";
    }
    bytes += "\x82";
    expected += u"\uFFFD";
    EXPECT_EQ(core::DecodeCp932(bytes), expected);
}

TEST(EncodeCp932, RoundTripsJapanese)
{
    const std::string utf8 = "OCR申告書 ～①ⅰ￢\\~ｱ";
    const std::string bytes = core::EncodeCp932(utf8);
    EXPECT_EQ(bytes.substr(0, 9), "OCR\x90\x5C\x8D\x90\x8F\x91");
    EXPECT_EQ(core::Cp932ToUtf8(bytes), utf8);
    EXPECT_EQ(core::DecodeCp932(bytes), u"OCR申告書 ～①ⅰ￢\\~ｱ");
}

struct EncodeRow
{
    const char* name;
    std::string utf8;
    std::string expected;
};

void PrintTo(const EncodeRow& row, std::ostream* os)
{
    *os << row.name;
}

class EncodeCp932Rows : public testing::TestWithParam<EncodeRow>
{
};

TEST_P(EncodeCp932Rows, Encodes)
{
    EXPECT_EQ(core::EncodeCp932(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EncodeCp932Rows,
    testing::Values(EncodeRow{"Message", "は浮動小数点数ではありません",
                              "\x82\xCD\x95\x82\x93\xAE\x8F\xAC\x90\x94\x93\x5F\x90\x94\x82\xC5"
                              "\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
                    EncodeRow{"Unmappable", "a\xF0\x9F\x98\x80z", "a?z"},
                    EncodeRow{"BrokenSequenceKeepsAscii", "\xC3Z", "?Z"},
                    EncodeRow{"StrayContinuationByte", "\x80Z", "?Z"},
                    EncodeRow{"TruncatedAtEnd", "a\xE3\x81", "a?"}),
    [](const testing::TestParamInfo<EncodeRow>& info) { return info.param.name; });

TEST(Cp932ToUtf8, InvalidBytesBecomeReplacementCharacter)
{
    EXPECT_EQ(core::Cp932ToUtf8("\x82\xA0\x85\x40-\x82"), "あ\xEF\xBF\xBD-\xEF\xBF\xBD");
    EXPECT_EQ(core::Cp932ToUtf8("\xB1\xB2\xB3"), "ｱｲｳ");
}

TEST(IsCp932LeadByte, Ranges)
{
    EXPECT_FALSE(core::IsCp932LeadByte(0x80));
    EXPECT_TRUE(core::IsCp932LeadByte(0x81));
    EXPECT_TRUE(core::IsCp932LeadByte(0x9F));
    EXPECT_FALSE(core::IsCp932LeadByte(0xA0));
    EXPECT_FALSE(core::IsCp932LeadByte(0xB1));
    EXPECT_FALSE(core::IsCp932LeadByte(0xDF));
    EXPECT_TRUE(core::IsCp932LeadByte(0xE0));
    EXPECT_TRUE(core::IsCp932LeadByte(0xFC));
    EXPECT_FALSE(core::IsCp932LeadByte(0xFD));
    EXPECT_FALSE(core::IsCp932LeadByte(0x5C));
}

// The bytes a trail byte may be, against the decoder: a lead byte followed by
// any other byte never becomes one character.
TEST(IsCp932TrailByte, RangesAndTheDecoderAgree)
{
    for (const unsigned char b : {0x3F, 0x7F, 0xFD, 0xFF, 0x00})
        EXPECT_FALSE(core::IsCp932TrailByte(b)) << int(b);
    for (const unsigned char b : {0x40, 0x5C, 0x7E, 0x80, 0x9F, 0xA0, 0xFC})
        EXPECT_TRUE(core::IsCp932TrailByte(b)) << int(b);
    for (int b = 0; b < 256; ++b) {
        const char pair[2] = {'\x88', static_cast<char>(b)};
        const std::u16string text = core::DecodeCp932(std::string_view(pair, 2));
        if (!core::IsCp932TrailByte(static_cast<unsigned char>(b))) {
            EXPECT_NE(text.size(), 1u) << b;
        }
    }
}

// Every code of the code page that decodes to a character encodes back to
// itself, or, where the code page holds the character twice, to the form
// Windows writes; and the losing forms are only ever the duplicate rows.
TEST(AppendCp932, RoundTripsTheWholeCodePage)
{
    std::size_t mapped = 0;
    std::size_t duplicates = 0;
    for (unsigned lead = 0; lead <= 0xFF; ++lead) {
        const bool isLead = core::IsCp932LeadByte(static_cast<unsigned char>(lead));
        for (unsigned trail = isLead ? 0x40 : 0; trail <= (isLead ? 0xFCu : 0u); ++trail) {
            std::string code(1, static_cast<char>(lead));
            if (isLead)
                code.push_back(static_cast<char>(trail));
            const std::u16string decoded = core::DecodeCp932(code);
            if (decoded.size() != 1 || decoded[0] == u'\uFFFD')
                continue;
            ++mapped;
            std::string encoded;
            ASSERT_TRUE(core::AppendCp932(decoded[0], encoded)) << std::hex << lead << trail;
            EXPECT_EQ(core::DecodeCp932(encoded), decoded) << std::hex << lead << trail;
            if (encoded == code)
                continue;
            ++duplicates;
            EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA)
                << "code " << std::hex << lead << ' ' << trail << " does not round-trip";
        }
    }
    EXPECT_EQ(mapped, 9795u);
    // The NEC row 13, NEC-selected IBM and IBM extension rows hold 398 codes
    // for characters that have another code.
    EXPECT_EQ(duplicates, 398u);
}

struct WindowsFormRow
{
    const char* name;
    char32_t codePoint;
    std::string expected; // empty: no code page 932 form
};

void PrintTo(const WindowsFormRow& row, std::ostream* os)
{
    *os << row.name;
}

class WindowsFormRows : public testing::TestWithParam<WindowsFormRow>
{
};

TEST_P(WindowsFormRows, WritesWhatWindowsWrites)
{
    std::string out = "x";
    const bool mapped = core::AppendCp932(GetParam().codePoint, out);
    EXPECT_EQ(mapped, !GetParam().expected.empty());
    EXPECT_EQ(out, "x" + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowsFormRows,
    testing::Values(WindowsFormRow{"NearlyEqualJisNotNecRow13", U'≒', "\x81\xE0"},
                    WindowsFormRow{"BecauseJisNotNecNorIbm", U'∵', "\x81\xE6"},
                    WindowsFormRow{"NotSignJisNotNecSelectedNorIbm", U'￢', "\x81\xCA"},
                    WindowsFormRow{"RomanOneNecRow13NotIbm", U'Ⅰ', "\x87\x54"},
                    WindowsFormRow{"NumeroNecRow13NotIbm", U'№', "\x87\x82"},
                    WindowsFormRow{"SmallRomanOneIbmNotNecSelected", U'ⅰ', "\xFA\x40"},
                    WindowsFormRow{"IbmKanjiIbmNotNecSelected", U'纊', "\xFA\x5C"},
                    WindowsFormRow{"LastIbmKanji", U'黑', "\xFC\x4B"},
                    WindowsFormRow{"FullwidthApostropheIbm", U'＇', "\xFA\x56"},
                    WindowsFormRow{"HalfwidthKatakana", U'ｱ', "\xB1"},
                    WindowsFormRow{"BackslashIsBackslash", U'\\', "\\"},
                    WindowsFormRow{"YenSignHasNoForm", U'¥', ""},
                    WindowsFormRow{"WaveDashHasNoForm", U'〜', ""},
                    WindowsFormRow{"OutsideTheBmp", U'😀', ""}),
    [](const testing::TestParamInfo<WindowsFormRow>& info) { return info.param.name; });

} // namespace
