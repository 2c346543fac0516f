#pragma once
// Which printer's calibration the window works on.

#include <set>
#include <string>

#include "printadjustment.h"

class QWidget;

namespace app {

// The window keeps the calibration of the printer in use in its
// PrintAdjustment: loaded at start-up for the default printer, switched when
// another printer is chosen, stored for it when the adjustment dialog is
// confirmed. Without any queue, and printing to a file, the one settings
// file as ever.
class PrinterCalibrationChoice
{
public:
    // Loads the calibration of the printer in use into adjustment.
    void Load(QWidget* window, core::TPrintAdjustment& adjustment);
    // After a printer was chosen: its calibration, when it is another printer.
    void Follow(QWidget* window, core::TPrintAdjustment& adjustment);
    // Before the declaration prints: on a printer without a calibration,
    // asks (once a run for each printer) whether to print without correction.
    // False when the user would rather calibrate first.
    bool ConfirmPrint(QWidget* window, core::TPrintAdjustment& adjustment);
    // The adjustment dialog confirmed: adjustment becomes the printer's.
    // False, storing nothing, when no printer's calibration is held (printing
    // to a file). Throws core::Exception naming the file that could not be
    // written.
    bool Store(const core::TPrintAdjustment& adjustment);

    // The printer whose calibration is held; empty without a printer.
    const std::string& Key() const { return m_key; }

private:
    void LoadFor(QWidget* window, const std::string& key, core::TPrintAdjustment& adjustment);

    std::string m_key;
    bool m_loaded = false;
    bool m_calibrated = false;
    std::set<std::string> m_asked;
};

} // namespace app
