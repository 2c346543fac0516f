// libFuzzer target: the strict conversions and the number form. A text that
// converts must come back from the number form as the same value to 15
// significant digits; nothing may crash or be undefined.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "conversions.h"
#include "dots.h"
#include "muldiv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    if (core::TryStrToFloat(text, value)) {
        if (!std::isfinite(value))
            __builtin_trap();
        const double again = core::StrToFloat(core::FloatToStr(value));
        if (value != 0 && std::fabs(again - value) > std::fabs(value) * 1e-14)
            __builtin_trap();
        (void)core::TruncToInt32(static_cast<long double>(value) * 1e10L);
        (void)core::CorrectedDot(value, value, 600, value, 0, 100);
    }
    std::int32_t integer = 0;
    if (core::TryStrToInt(text, integer)) {
        (void)core::MulDiv(integer, 600, 72);
        (void)core::MulDiv(integer, integer, integer);
    }
    (void)core::StrToFloatDef0(text);
    return 0;
}
