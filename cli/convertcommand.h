#pragma once

#include "commandline.h"

namespace cli {

// ocrprint-cli convert: writes a data file the program prints as it is, from
// a UTF-8 or code page 932 text file or a spreadsheet's CSV. Nothing is
// written unless all of it converts. Returns the exit status.
int RunConvert(const CommandLine& line);

} // namespace cli
