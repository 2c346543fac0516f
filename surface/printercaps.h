#pragma once

#include <cstdint>

namespace surface {

// The four capabilities every job asks the current printer for.
struct PrinterCaps
{
    std::int32_t DpiX = 0;
    std::int32_t DpiY = 0;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
};

// Asks them in the jobs' order (LOGPIXELSX, LOGPIXELSY, PHYSICALOFFSETX,
// PHYSICALOFFSETY), each on a fresh PrinterObject()->DeviceHandle(), so a
// missing printer fails at the first query.
PrinterCaps QueryPrinterCaps();

} // namespace surface
