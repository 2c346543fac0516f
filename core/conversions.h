#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// The decimal separator of numbers in text. It is fixed to the point: the data
// file separates its fields with commas, and a locale whose separator is the
// comma would make every data line and every settings file unreadable.
inline constexpr char DecimalSeparator = '.';

// Strict text to real: optional blanks, optional sign, digits with an optional
// decimal separator and fraction (digits may be missing on one side, not on
// both), an optional exponent (E or e, optional sign, digits), optional blanks,
// nothing else. No "nan", "inf", hexadecimal, grouping or other digits. A value
// beyond the range of double is an error too. Throws EConvertError with the
// message "'%s' は浮動小数点数ではありません".
double StrToFloat(std::string_view text);

// Like StrToFloat, but reports failure through the return value instead.
bool TryStrToFloat(std::string_view text, double& value);

// The lenient conversion: the strict one, with 0 for text that does not convert.
double StrToFloatDef0(std::string_view text);

// Strict text to signed 32-bit integer: optional leading blanks, optional sign,
// decimal digits, or hexadecimal digits after '$', 'x', 'X', '0x' or '0X'.
// Nothing may follow the digits. Throws EConvertError with the message
// "'%s' は整数ではありません".
std::int32_t StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, std::int32_t& value);

// The general decimal form with at most 15 significant digits: "150", "-2.5",
// "0", "1E-5", "1.5E15".
std::string FloatToStr(double value);

} // namespace core
