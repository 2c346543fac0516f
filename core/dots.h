#pragma once

#include <cstdint>
#include <limits>

namespace core {

// The "extended precision" arithmetic of the printing jobs is the x87 80-bit
// format; a platform whose long double is anything else gives other dots.
static_assert(std::numeric_limits<long double>::digits == 64,
              "ocrprint needs long double with a 64-bit mantissa (x87 extended precision)");

// Millimetres per inch, the one conversion between paper and dots.
inline constexpr double MmPerInch = 25.4;

// The reciprocal of the double nearest to 25.4, at extended precision.
inline constexpr long double InvMmPerInch = 0.039370078740157482516L;

// Truncation toward zero to a signed 32-bit integer. A value beyond the range
// saturates at the range's end and NaN gives 0, instead of the undefined
// behaviour of a plain conversion.
std::int32_t TruncToInt32(long double value);

// Uncorrected mapping of the measurement sheet: dpi * factor - offset, where
// factor is mm / 25.4 formed in double precision by the caller's constant.
std::int32_t SheetDot(std::int32_t dpi, double mmOverInch, std::int32_t offset);

// Corrected mapping of the declaration and the test print:
// (mm + correction) * InvMmPerInch * (dpi + scale) - shift - offset, each
// step at extended precision, truncated toward zero. The shift (the anchor's
// share of the text's size) is 64-bit so that an absurd anchor factor in a
// data file cannot overflow before the result saturates.
std::int32_t CorrectedDot(double mm, double correction, std::int32_t dpi, double scale,
                          std::int64_t shift, std::int32_t offset);

// A length in millimetres at a resolution: trunc(dpi * mm * InvMmPerInch).
std::int32_t LengthDots(std::int32_t dpi, long double mm);

// A paper's side in whole dots at a resolution, rounded to the nearest dot:
// how many dots the page of a printer holds. 0 when that is no positive
// number below 10^9.
std::int32_t PaperDots(double mm, std::int32_t dpi);

} // namespace core
