#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "utf8.h"

namespace core {

// Where a UTF-8 data file cannot become code page 932: the line (from 1, a
// line ends at LF) and the column (the character's position in its line from
// 1, counted in characters, CR not counted, as an editor shows it), and either
// the code point that has no code page 932 form or the byte that is not UTF-8.
struct Utf8DataProblem
{
    std::size_t Line = 0;
    std::size_t Column = 0;
    bool NotUtf8 = false;
    char32_t CodePoint = 0; // when !NotUtf8
    unsigned char Byte = 0; // when NotUtf8: the first byte of the broken sequence
};

// Converts a whole UTF-8 file to the code page 932 bytes a Windows program
// would have saved: a byte-order mark at the start is skipped, every other
// byte (line ends, 0x1A, control characters) converted as it stands. Returns
// false at the first character that cannot be converted, with problem set and
// out unspecified.
bool Utf8DataToCp932(std::string_view utf8, std::string& out, Utf8DataProblem& problem);

} // namespace core
