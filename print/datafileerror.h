#pragma once

#include <string>

namespace print {

// Why the data file at path could not be opened, as the command-line tool
// says it after the path (UTF-8): "ocrdat.prn が見つかりません" when nothing is
// there, else that the path exists but cannot be read, and why (a directory,
// not a regular file, no permission, the system's reason). Never opens
// anything that could block: a FIFO is only looked at.
std::string DataFileOpenError(const std::string& path);

} // namespace print
