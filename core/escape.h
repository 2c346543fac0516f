#pragma once

#include <string>
#include <string_view>

namespace core {

// The bytes with every control byte (0x00-0x1F, 0x7F) written as "\xNN" (two
// lowercase hex digits) and a backslash written as "\\"; every other byte is
// unchanged. A data file's text goes through this before it reaches a
// message, so that an escape sequence in the file is shown, not obeyed by the
// terminal. A double-byte character of code page 932 is kept whole: its second
// byte may be 0x5C without being a backslash.
std::string EscapeControlChars(std::string_view bytes);

} // namespace core
