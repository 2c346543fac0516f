#pragma once

#include <cstdint>

namespace core {

// The printer correction state. One instance lives in the main window for the
// whole run; the dialogs and the print jobs work on that one instance.
struct TPrintAdjustment
{
    std::int32_t PrinterDpiX = 300;
    std::int32_t PrinterDpiY = 300;
    std::int32_t PrinterOffsetX = 0;
    std::int32_t PrinterOffsetY = 0;
    double HorzScale = 0;
    double VertScale = 0;
    double HorzOffset = 0;
    double VertOffset = 0;
    double MeasuredX = 150;
    double MeasuredY = 200;
    double MeasuredA = 100;
    double MeasuredB = 150;
};

} // namespace core
