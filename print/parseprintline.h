#pragma once

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

} // namespace print
