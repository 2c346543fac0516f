#include "utf8.h"

namespace core {

Utf8Char NextUtf8Char(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(pos);
    if (first < 0x80)
        return {first, 1, true};
    // The sequence's length and the lowest code point it may carry (shorter
    // forms are overlong and not UTF-8).
    std::size_t length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        value = first & 0x1F;
        lowest = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        value = first & 0x0F;
        lowest = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        value = first & 0x07;
        lowest = 0x10000;
    } else {
        return {first, 1, false};
    }
    std::size_t i = 1;
    for (; i < length && pos + i < text.size() && (byte(pos + i) & 0xC0) == 0x80; ++i)
        value = value << 6 | (byte(pos + i) & 0x3F);
    if (i < length)
        return {first, i, false};
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {first, length, false};
    return {value, length, true};
}

} // namespace core
