#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// True for the first byte of a double-byte character of code page 932.
bool IsCp932LeadByte(unsigned char byte);

// The offset of the first byte that does not begin a valid character of code
// page 932 (a byte or a lead and trail byte pair that Windows maps to nothing,
// or a lead byte without its trail byte), or npos when every byte does.
std::size_t FindInvalidCp932(std::string_view bytes);

// Code page 932 bytes to UTF-16, as Windows maps them (0x5C is the backslash,
// 0x7E the tilde, the NEC and IBM rows included). A lone lead byte or an
// invalid sequence becomes U+FFFD; decoding never fails.
std::u16string DecodeCp932(std::string_view bytes);

// UTF-8 to code page 932; a character without a mapping becomes '?'.
std::string EncodeCp932(std::string_view utf8);

// Convenience: code page 932 bytes to UTF-8.
std::string Cp932ToUtf8(std::string_view bytes);

} // namespace core
