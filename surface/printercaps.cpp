#include "printercaps.h"

#include "tprinter.h"

namespace surface {

PrinterCaps QueryPrinterCaps()
{
    PrinterCaps caps;
    caps.DpiX = GetDeviceCaps(PrinterObject()->DeviceHandle(), LOGPIXELSX);
    caps.DpiY = GetDeviceCaps(PrinterObject()->DeviceHandle(), LOGPIXELSY);
    caps.OffsetX = GetDeviceCaps(PrinterObject()->DeviceHandle(), PHYSICALOFFSETX);
    caps.OffsetY = GetDeviceCaps(PrinterObject()->DeviceHandle(), PHYSICALOFFSETY);
    return caps;
}

} // namespace surface
