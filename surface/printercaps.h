#pragma once

#include "device.h"

namespace surface {

// Asks the current printer for its four capabilities in the jobs' order
// (LOGPIXELSX, LOGPIXELSY, PHYSICALOFFSETX, PHYSICALOFFSETY), each on a fresh
// PrinterObject()->DeviceHandle(), so a missing printer fails at the first
// query.
PrinterCaps QueryPrinterCaps();

} // namespace surface
