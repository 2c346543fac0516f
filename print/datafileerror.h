#pragma once

#include <string>

#include "utf8data.h"

namespace print {

// Why the data file at path could not be opened, as the command-line tool
// says it after the path (UTF-8): "ocrdat.prn が見つかりません" when nothing is
// there, else that the path exists but cannot be read, and why (a directory,
// not a regular file, no permission, the system's reason). Never opens
// anything that could block: a FIFO is only looked at.
std::string DataFileOpenError(const std::string& path);

// Why UTF-8 data cannot become code page 932, in the user's language (UTF-8):
// the byte that is not UTF-8, or the character, by its code point, that code
// page 932 does not have. The place is the caller's to name.
std::string Utf8DataProblemText(const core::Utf8DataProblem& problem);

} // namespace print
