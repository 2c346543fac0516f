// The one way a message is put together: every value shown through the
// escaping rule, once, whatever its encoding and whichever type it came as.
#include <gtest/gtest.h>

#include "argumentcodec.h"
#include "diagnostics.h"

namespace {

using cli::FormatMessage;
using cli::MessageArg;

TEST(Format, ShowsEachValueOnce)
{
    // Control bytes and a line break in a path are escaped; Shift-JIS bytes kept.
    EXPECT_EQ(FormatMessage("%1: written", {std::string("a\x1b[2J\x07.pdf")}),
              "a\\x1b[2J\\x07.pdf: written");
    EXPECT_EQ(FormatMessage("%1: written", {std::string("a\nb")}), "a\\x0ab: written");
    EXPECT_EQ(FormatMessage("%1: cannot read it", {std::string("\x83\x65.txt")}),
              "\x83\x65.txt: cannot read it");
    // A decoded argument gives its bytes back.
    EXPECT_EQ(FormatMessage("unknown command %1", {cli::DecodeArgument("\x83\x65\x1b")}),
              "unknown command \x83\x65\\x1b");
    EXPECT_EQ(FormatMessage("%1", {"C:\\x"}), "C:\\\\x"); // a backslash doubled
    // Text already shown is not escaped twice.
    EXPECT_EQ(FormatMessage("%1", {MessageArg::Shown("'\\x1b' は")}), "'\\x1b' は");
    EXPECT_EQ(FormatMessage("%1 of %2, %1 again", {std::size_t{3}, -7}), "3 of -7, 3 again");
    // A placeholder in a value stays; a missing value is left as written.
    EXPECT_EQ(FormatMessage("%1 and %2", {"%2", "b"}), "%2 and b");
    EXPECT_EQ(FormatMessage("%1 %2", {"a"}), "a %2");
    EXPECT_EQ(FormatMessage("a\tb"), "a\\x09b"); // a control byte in the text
}

} // namespace
