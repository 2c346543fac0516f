#pragma once

#include <cstdint>

namespace core {

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with
// halves away from zero. Returns -1 when c is 0 or the result does not fit.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

} // namespace core
