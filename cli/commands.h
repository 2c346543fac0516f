#pragma once

#include "commandline.h"

namespace cli {

// Runs the command; returns the exit status (0 done, 1 an error, 2 a usage
// error). Messages go to standard error, results to standard output.
int RunCommand(const CommandLine& line);

} // namespace cli
