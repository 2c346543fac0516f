#pragma once

#include <string>

namespace core {

// The text an error is reported with, in the error box and on the command
// line (code page 932 bytes in and out): a full stop is appended when the
// message's last character, a double-byte character taken whole, sorts above
// "." byte by byte. "abc." and "Hello!" stay as they are, "x" becomes "x.", an
// empty message stays empty.
std::string FormatErrorMessage(const std::string& messageCp932);

} // namespace core
