#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "utf8.h"

namespace core {

// True for the first byte of a double-byte character of code page 932.
bool IsCp932LeadByte(unsigned char byte);
// True for a byte that may follow a lead byte (0x40-0xFC but 0x7F); whether
// the pair maps to a character is the decoder's to say.
bool IsCp932TrailByte(unsigned char byte);

// The offset of the first byte that does not begin a valid character of code
// page 932 (a byte or a lead and trail byte pair that Windows maps to nothing,
// or a lead byte without its trail byte), or npos when every byte does.
std::size_t FindInvalidCp932(std::string_view bytes);

// The offset of the last character of bytes, a lead byte and the byte after
// it taken whole (0 for no bytes).
std::size_t LastCp932Character(std::string_view bytes);

// Code page 932 bytes to UTF-16, as Windows maps them (0x5C is the backslash,
// 0x7E the tilde, the NEC and IBM rows included). A lone lead byte or an
// invalid sequence becomes U+FFFD; decoding never fails.
std::u16string DecodeCp932(std::string_view bytes);

// Appends the code page 932 form of a code point, as the decoder maps it
// back; where the code page holds the character twice, the form Windows
// writes (JIS X 0208, then the NEC row 13, then the IBM extension, never the
// NEC-selected IBM rows). Returns false, appending nothing, when there is none.
bool AppendCp932(char32_t codePoint, std::string& out);

// UTF-8 to code page 932; a character without a mapping becomes '?'.
std::string EncodeCp932(std::string_view utf8);

// Convenience: code page 932 bytes to UTF-8.
std::string Cp932ToUtf8(std::string_view bytes);

} // namespace core
