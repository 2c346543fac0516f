#pragma once

#include "commandline.h"

namespace cli {

// Whether the command would write over one of its own inputs (the data file,
// the form image, convert's IN, the settings file in use) or write two of its
// outputs to one file; if so, says which on standard error. Every command asks
// before it opens or draws anything.
bool RefuseClashingOutputs(const CommandLine& line);

} // namespace cli
