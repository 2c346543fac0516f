#pragma once

#include <string>

namespace app {

// "Print to file" chosen in the printer dialog must not name a file the
// program needs: the data file, or the settings file it reads and saves,
// however spelled. Throws the error the box shows when file does; an empty
// file (a queue chosen) passes.
void RefusePrintToFileOntoInputs(const std::string& file);

} // namespace app
