// Telling UTF-8 data from code page 932 as the bytes go by in pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utf8sniffer.h"

namespace {

struct SniffRow
{
    const char* name;
    std::vector<std::string> pieces; // fed in order, piece i on line i + 1
    bool utf8;
    int firstLine; // when utf8
};

void PrintTo(const SniffRow& row, std::ostream* os)
{
    *os << row.name;
}

class Sniff : public ::testing::TestWithParam<SniffRow>
{
};

TEST_P(Sniff, SaysWhetherTheBytesAreUtf8)
{
    print::Utf8Sniffer sniffer;
    int line = 0;
    for (const std::string& piece : GetParam().pieces)
        sniffer.Feed(piece, ++line);
    EXPECT_EQ(sniffer.LooksUtf8(), GetParam().utf8);
    if (GetParam().utf8) {
        EXPECT_EQ(sniffer.FirstLine(), GetParam().firstLine);
    }
}

// "あ" is E3 81 82 in UTF-8, 82 A0 in code page 932.
INSTANTIATE_TEST_SUITE_P(
    Pieces, Sniff,
    ::testing::Values(SniffRow{"AsciiOnly", {"10,10,9\n", "abc\n"}, false, 0},
                      SniffRow{"Utf8OnTheSecondLine", {"a\n", "\xE3\x81\x82\n"}, true, 2},
                      SniffRow{"Cp932", {"\x82\xA0\n"}, false, 0},
                      SniffRow{"CharacterSplitBetweenPieces", {"x\xE3", "\x81\x82y"}, true, 1},
                      SniffRow{"SplitAfterTheLeadByteTwice", {"\xF0\x9F", "\x98", "\x80"}, true, 1},
                      SniffRow{"CutAtTheEndOfTheFile", {"ok \xE3\x81"}, false, 0},
                      SniffRow{"SplitThenBroken", {"\xE3\x81", "A"}, false, 0},
                      SniffRow{"OverlongForm", {"\xC0\xAF"}, false, 0},
                      SniffRow{"Surrogate", {"\xED\xA0\x80"}, false, 0},
                      SniffRow{"BrokenAfterGood", {"\xE3\x81\x82", "\xFF"}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
