#pragma once

#include <optional>
#include <string>

#include "commandline.h"
#include "printadjustment.h"

namespace cli {

// The key of the queue whose calibration the command works on (the device
// selected, else the default queue). None with --settings FILE or the file
// printer, which keep the one file, nor when no queue can be had.
std::optional<std::string> PrinterInUse(const CommandLine& line);

// Loads the calibration of the printer with key, saying on standard error
// when it has none, so that nothing prints uncorrected unsaid, and when the
// settings file of before was taken as the printer's.
core::TPrintAdjustment LoadPrinterAdjustment(const std::string& key);

// Loads what a command works with: the calibration of the queue in use, or
// else the one settings file by the program's rule (LoadCommandSettings).
// False, said, when the settings cannot be had.
bool LoadCalibration(const CommandLine& line, core::TPrintAdjustment& adjustment);

// forget QUEUE.
int RunForget(const CommandLine& line);

} // namespace cli
