// The one way a message is put together: every value shown through the
// escaping rule, once, whatever its encoding and whichever type it came as.
#include <gtest/gtest.h>

#include <functional>

#include "argumentcodec.h"
#include "diagnostics.h"

namespace {

struct FormatRow
{
    const char* name;
    std::function<std::string()> format;
    std::string expected;
};

void PrintTo(const FormatRow& row, std::ostream* os)
{
    *os << row.name;
}

class Format : public ::testing::TestWithParam<FormatRow>
{
};

TEST_P(Format, ShowsEachValueOnce)
{
    EXPECT_EQ(GetParam().format(), GetParam().expected);
}

using cli::FormatMessage;
using cli::MessageArg;

INSTANTIATE_TEST_SUITE_P(
    Values, Format,
    ::testing::Values(
        FormatRow{"ControlBytesOfAPath",
                  [] { return FormatMessage("%1: written", {std::string("a\x1b[2J\x07.pdf")}); },
                  "a\\x1b[2J\\x07.pdf: written"},
        FormatRow{"LineBreakInAPath",
                  [] { return FormatMessage("%1: written", {std::string("a\nb")}); },
                  "a\\x0ab: written"},
        FormatRow{"ShiftJisBytesKept",
                  [] { return FormatMessage("%1: cannot read it", {std::string("\x83\x65.txt")}); },
                  "\x83\x65.txt: cannot read it"},
        FormatRow{"DecodedArgumentGivesItsBytesBack",
                  [] {
                      return FormatMessage("unknown command %1",
                                           {cli::DecodeArgument("\x83\x65\x1b")});
                  },
                  "unknown command \x83\x65\\x1b"},
        FormatRow{"BackslashDoubled", [] { return FormatMessage("%1", {"C:\\x"}); }, "C:\\\\x"},
        FormatRow{"ShownTextNotEscapedTwice",
                  [] { return FormatMessage("%1", {MessageArg::Shown("'\\x1b' は")}); },
                  "'\\x1b' は"},
        FormatRow{"NumbersAndRepeats",
                  [] {
                      return FormatMessage("%1 of %2, %1 again", {std::size_t{3}, -7});
                  },
                  "3 of -7, 3 again"},
        FormatRow{"PlaceholderInAValueStays",
                  [] {
                      return FormatMessage("%1 and %2", {"%2", "b"});
                  },
                  "%2 and b"},
        FormatRow{"MissingValueLeftAsWritten", [] { return FormatMessage("%1 %2", {"a"}); },
                  "a %2"},
        FormatRow{"ControlByteInTheText", [] { return FormatMessage("a\tb"); }, "a\\x09b"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
