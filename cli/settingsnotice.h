#pragma once

#include "commandline.h"
#include "printadjustment.h"

namespace cli {

// Loads the settings a command works with: --settings FILE, else the file the
// program's one rule chooses (settings::LoadSettings). Says on standard error
// which file was used whenever it is not the configuration directory's, and
// why a file was refused; show names the file it read, and show and print
// name the lines that did not read as numbers and what they gave. Returns
// false, said, when the --settings FILE of a reading command is not a file
// (calibrate creates it).
bool LoadCommandSettings(const CommandLine& line, core::TPrintAdjustment& adjustment);

} // namespace cli
