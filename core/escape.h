#pragma once

#include <string>
#include <string_view>

namespace core {

// The bytes with every byte 0x00-0x1F and 0x7F written as \xNN (two lowercase
// hex digits) and a backslash written as \\; other bytes (Shift-JIS included)
// unchanged. Text from a data file is shown through it, so that a control
// character cannot move a terminal's cursor or hide part of a message.
std::string EscapeControlChars(std::string_view bytes);

} // namespace core
