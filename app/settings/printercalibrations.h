#pragma once

#include <string>
#include <vector>

#include "printadjustment.h"

namespace settings {

// Each printer keeps its own calibration in printers/<KEY>.ini beside
// ocrprn2.ini, in ocrprn2.ini's format. ocrprn2.ini itself holds the last
// calibration confirmed, so that an earlier release still reads one.

// The key of the printer a device name stands for: a CUPS queue (an instance
// "Q/inst" is queue Q), or, for a name starting "file:", the file printer.
std::string PrinterKey(const std::string& deviceName);

// The key the file printer's calibration is kept under: no queue has it.
inline constexpr const char* FilePrinterKey = "/file";

// The file that holds the calibration of the printer with this key.
std::string PrinterCalibrationPath(const std::string& key);

enum class PrinterCalibrationSource
{
    Printer, // the printer's own file
    Adopted, // ocrprn2.ini of before, taken now as this printer's
    None,    // none: the defaults, which print without correction
};

struct PrinterCalibrationLoad
{
    PrinterCalibrationSource Source = PrinterCalibrationSource::None;
    std::string Path; // the file read (Adopted: the file taken)
};

// Loads the calibration of the printer with this key. The first time a
// printer without one is used, a calibration ocrprn2.ini held from before
// (LoadSettings' rule) becomes that printer's, once for all printers.
PrinterCalibrationLoad LoadPrinterCalibration(const std::string& key,
                                              core::TPrintAdjustment& adjustment);

// Stores adjustment as the printer's calibration and as ocrprn2.ini. Returns
// whether both were written; reason and failedPath say what was not.
bool SavePrinterCalibration(const std::string& key, const core::TPrintAdjustment& adjustment,
                            std::string* reason = nullptr, std::string* failedPath = nullptr);

// Every printer that has a calibration, by key, sorted.
std::vector<std::string> CalibratedPrinters();

// Removes the printer's calibration; false when it had none or it stays.
bool ForgetPrinterCalibration(const std::string& key, std::string* reason = nullptr);

} // namespace settings
