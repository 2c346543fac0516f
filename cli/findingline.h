#pragma once

#include <string>

#include "datalint.h"

namespace cli {

// Appends one line of check's output: "PATH[:LINE[:COLUMN]]: error|warning:
// REASON", or with json one JSON object holding path, line (null for the file
// as a whole), column (null for a whole line), severity, code and message.
// Without the line end. path is shown already (its control bytes escaped); in
// JSON a byte of it that is not UTF-8 is written "\xNN" too.
void AppendFinding(std::string& out, const std::string& path, const print::Finding& finding,
                   bool json);

} // namespace cli
