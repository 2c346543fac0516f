#pragma once

#include <cstddef>
#include <string_view>

namespace core {

// A UTF-8 byte-order mark, which a file may begin with.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// One character read from UTF-8 text: its code point (the lead byte when the
// sequence is not valid UTF-8) and how many bytes it took.
struct Utf8Char
{
    char32_t CodePoint;
    std::size_t Length;
    bool Valid;
};

// Reads the character that starts at pos (< text.size()). An invalid or cut
// sequence, an overlong form or a surrogate is one invalid character spanning
// the bytes up to where it goes wrong, so that the next character is read from
// the next byte that can start one.
Utf8Char NextUtf8Char(std::string_view text, std::size_t pos);

} // namespace core
