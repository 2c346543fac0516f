#pragma once

#include "commandline.h"

namespace cli {

// check: every finding of the data file on standard output; 0 without errors
// (and without warnings with --strict), 1 otherwise.
int RunCheck(const CommandLine& line);

// preview: the declaration drawn over the blank form into -o's file.
int RunPreview(const CommandLine& line);

} // namespace cli
