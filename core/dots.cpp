#include "dots.h"

#include <cmath>

namespace core {

std::int32_t TruncToInt32(long double value)
{
    if (std::isnan(value))
        return 0;
    const long double t = std::trunc(value);
    if (t >= 2147483647.0L)
        return 2147483647;
    if (t <= -2147483648.0L)
        return -2147483647 - 1;
    return static_cast<std::int32_t>(t);
}

std::int32_t SheetDot(std::int32_t dpi, double mmOverInch, std::int32_t offset)
{
    const long double product =
        static_cast<long double>(dpi) * static_cast<long double>(mmOverInch);
    return TruncToInt32(product - static_cast<long double>(offset));
}

std::int32_t CorrectedDot(double mm, double correction, std::int32_t dpi, double scale,
                          std::int64_t shift, std::int32_t offset)
{
    // The order of the operations is part of the result: a value a hair from
    // a whole dot lands on one side or the other depending on it.
    long double v = static_cast<long double>(mm) + static_cast<long double>(correction);
    v = v * InvMmPerInch;
    v = v * (static_cast<long double>(dpi) + static_cast<long double>(scale));
    v = v - static_cast<long double>(shift);
    v = v - static_cast<long double>(offset);
    return TruncToInt32(v);
}

std::int32_t LengthDots(std::int32_t dpi, long double mm)
{
    return TruncToInt32(static_cast<long double>(dpi) * mm * InvMmPerInch);
}

std::int32_t PaperDots(double mm, std::int32_t dpi)
{
    const double dots = std::round(mm / MmPerInch * dpi);
    return dots > 0 && dots < 1e9 ? static_cast<std::int32_t>(dots) : 0;
}

} // namespace core
