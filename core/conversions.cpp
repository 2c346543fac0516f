#include "conversions.h"

#include "cp932.h"
#include "econverterror.h"
#include "escape.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace core {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The message keeps the field's bytes as they are: they are code page 932
// already, and re-encoding them would garble a text that is not valid text.
// Only control bytes are escaped: the message ends up on a terminal or in the
// error box.
std::string Message(std::string_view text, const char* tailUtf8)
{
    std::string message = EncodeCp932("'");
    message.append(EscapeControlChars(text));
    message += EncodeCp932(tailUtf8);
    return message;
}

// The parts of a real number as the syntax check found them.
struct RealSyntax
{
    bool negative = false;
    std::string_view intDigits;
    std::string_view fracDigits;
    std::string_view body; // sign-less mantissa and exponent, for from_chars
    bool expNegative = false;
    std::string_view expDigits;
};

bool ParseRealSyntax(std::string_view text, RealSyntax& out)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        out.negative = text[i] == '-';
        ++i;
    }
    const std::size_t bodyStart = i;
    std::size_t start = i;
    while (i < n && IsDigit(text[i]))
        ++i;
    out.intDigits = text.substr(start, i - start);
    if (i < n && text[i] == DecimalSeparator) {
        ++i;
        start = i;
        while (i < n && IsDigit(text[i]))
            ++i;
        out.fracDigits = text.substr(start, i - start);
    }
    if (out.intDigits.empty() && out.fracDigits.empty())
        return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            out.expNegative = text[i] == '-';
            ++i;
        }
        start = i;
        while (i < n && IsDigit(text[i]))
            ++i;
        out.expDigits = text.substr(start, i - start);
        if (out.expDigits.empty())
            return false;
    }
    out.body = text.substr(bodyStart, i - bodyStart);
    while (i < n && text[i] == ' ')
        ++i;
    return i == n;
}

// Whether a number that from_chars found out of range is too large (rather
// than too small): it is when its magnitude is at least 1, that is when the
// decimal exponent of its first significant digit is not negative.
bool IsOverflow(const RealSyntax& s)
{
    constexpr long long Cap = 1'000'000'000'000LL;
    long long exponent = 0;
    for (char c : s.expDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > Cap) {
            exponent = Cap;
            break;
        }
    }
    if (s.expNegative)
        exponent = -exponent;
    long long lead;
    const std::size_t firstInt = s.intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos) {
        lead = static_cast<long long>(s.intDigits.size() - firstInt) - 1;
    } else {
        const std::size_t firstFrac = s.fracDigits.find_first_not_of('0');
        if (firstFrac == std::string_view::npos)
            return false; // zero is never out of range
        lead = -static_cast<long long>(firstFrac) - 1;
    }
    return lead + exponent >= 0;
}

} // namespace

bool TryStrToFloat(std::string_view text, double& value)
{
    RealSyntax syntax;
    if (!ParseRealSyntax(text, syntax))
        return false;
    // from_chars is locale-independent and correctly rounded; the syntax is
    // already ours, so the only thing left for it to report is the range.
    double result = 0;
    const char* first = syntax.body.data();
    const char* last = first + syntax.body.size();
    const auto [ptr, ec] = std::from_chars(first, last, result, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (IsOverflow(syntax))
            return false;
        result = 0; // underflow: the nearest double is zero
    } else if (ec != std::errc() || ptr != last) {
        return false;
    }
    value = syntax.negative ? -result : result;
    return true;
}

double StrToFloat(std::string_view text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(Message(text, "' は浮動小数点数ではありません"));
    return value;
}

double StrToFloatDef0(std::string_view text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        return 0;
    return value;
}

bool TryStrToInt(std::string_view text, std::int32_t& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return false;
    // The magnitude saturates just above what any int32 can hold, so a long
    // run of digits cannot wrap around into range.
    constexpr std::uint64_t Limit = 0x80000001ULL;
    std::uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const int digit = base == 16 ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > Limit)
            magnitude = Limit;
    }
    if (negative) {
        if (magnitude > 0x80000000ULL)
            return false;
        value = static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    } else {
        if (magnitude > 0x7FFFFFFFULL)
            return false;
        value = static_cast<std::int32_t>(magnitude);
    }
    return true;
}

std::int32_t StrToInt(std::string_view text)
{
    std::int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(Message(text, "' は整数ではありません"));
    return value;
}

std::string FloatToStr(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // Rounding to 15 significant digits first decides both the digits and
    // which form is used: 9.99999999999999999E14 is written 1E15.
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    if (ec != std::errc())
        return "0";
    const std::string_view sci(buf, static_cast<std::size_t>(end - buf));
    const std::size_t ePos = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (IsDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+'), sci.data() + sci.size(),
                    exponent);

    std::string out = negative ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (count > 1) {
            out += DecimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += '0';
        out += DecimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else if (count <= exponent + 1) {
        out += digits;
        out.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(exponent + 1));
        out += DecimalSeparator;
        out.append(digits, static_cast<std::size_t>(exponent + 1));
    }
    return out;
}

} // namespace core
