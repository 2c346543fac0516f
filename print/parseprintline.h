#pragma once

#include <cstddef>
#include <string_view>

#include "printrecord.h"

namespace print {

// Cuts one line (as read, with its LF when it has one) into record. Returns 1
// when the line is an entry, 0 when a required field is empty or missing.
// Throws core::EConvertError when one of fields 1 to 6 is not a number of its
// kind; the fields before it are already stored.
int ParsePrintLine(PrintRecord& record, std::string_view line);

// The same, telling which field (1 to 9) rejected the line when it returns 0.
int ParsePrintLine(PrintRecord& record, std::string_view line, int& rejectedField);

// What the parser met on its way through a line, beside the record.
struct ParseDetail
{
    int RejectedField = 0;     // the field (1 to 9) that rejected the line
    std::size_t TextField = 0; // where the text's field begins in the line, when it is an entry
};

// The same, telling what ParseDetail holds.
int ParsePrintLine(PrintRecord& record, std::string_view line, ParseDetail& detail);

// What a text field (without its line end) holds as its writer meant it:
// without the double quotes around it, or without the opening one when none
// closes it.
std::string_view HeldText(std::string_view field);

} // namespace print
