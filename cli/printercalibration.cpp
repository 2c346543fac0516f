#include "printercalibration.h"

#include <QCoreApplication>

#include "diagnostics.h"
#include "exception.h"
#include "printercalibrations.h"
#include "settingsfile.h"
#include "settingsnotice.h"
#include "surface.h"

namespace cli {

std::optional<std::string> PrinterInUse(const CommandLine& line)
{
    if (line.Settings || line.FilePrinter || line.FileOptionsGiven)
        return std::nullopt;
    std::string name;
    try {
        name = surface::PrinterObject()->DeviceHandle()->Name();
    } catch (const core::EPrinter&) {
        // The command says so where it needs the printer.
        return std::nullopt;
    }
    const std::string key = settings::PrinterKey(name);
    if (key == settings::FilePrinterKey)
        return std::nullopt;
    return key;
}

core::TPrintAdjustment LoadPrinterAdjustment(const std::string& key)
{
    core::TPrintAdjustment adjustment;
    const settings::PrinterCalibrationLoad load = settings::LoadPrinterCalibration(key, adjustment);
    switch (load.Source) {
    case settings::PrinterCalibrationSource::Printer:
        break;
    case settings::PrinterCalibrationSource::Adopted:
        ReportAbout(load.Path,
                    QCoreApplication::translate(
                        "ocrprint-cli", "taken as the calibration of printer %1 (once; each "
                                        "printer keeps its own from now on)"),
                    {key});
        break;
    case settings::PrinterCalibrationSource::None:
        Report(QCoreApplication::translate(
                   "ocrprint-cli",
                   "printer %1 has no calibration: no correction is applied (ocrprint-cli "
                   "calibrate --printer %1)"),
               {key});
        break;
    }
    return adjustment;
}

bool LoadCalibration(const CommandLine& line, core::TPrintAdjustment& adjustment)
{
    if (const std::optional<std::string> key = PrinterInUse(line)) {
        adjustment = LoadPrinterAdjustment(*key);
        return true;
    }
    return LoadCommandSettings(line, adjustment);
}

int RunForget(const CommandLine& line)
{
    const std::string& name = line.Arguments[0];
    const std::string key = name == settings::FilePrinterKey ? name : settings::PrinterKey(name);
    std::string reason;
    if (!settings::ForgetPrinterCalibration(key, &reason)) {
        ReportAbout(settings::PrinterCalibrationPath(key),
                    QCoreApplication::translate("ocrprint-cli", "cannot remove it: %1"), {reason});
        return 1;
    }
    ReportAbout(settings::PrinterCalibrationPath(key),
                QCoreApplication::translate("ocrprint-cli", "removed"));
    return 0;
}

} // namespace cli
