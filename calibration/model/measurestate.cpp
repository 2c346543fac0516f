#include "measurestate.h"

#include "printercaps.h"

namespace calibration::model {

void QueryPrinter(TMeasureState& state)
{
    const surface::PrinterCaps caps = surface::QueryPrinterCaps();
    state.DpiX = caps.DpiX;
    state.DpiY = caps.DpiY;
    state.PhysOffsetX = caps.OffsetX;
    state.PhysOffsetY = caps.OffsetY;
}

} // namespace calibration::model
