#include "escape.h"

namespace core {

std::string EscapeControlChars(std::string_view bytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            out += "\\x";
            out += Hex[b >> 4];
            out += Hex[b & 0x0F];
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace core
