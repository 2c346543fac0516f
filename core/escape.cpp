#include "escape.h"

#include "cp932.h"

namespace core {

std::string EscapeControlChars(std::string_view bytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsCp932LeadByte(byte) && i + 1 < bytes.size() &&
            IsCp932TrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            out += bytes.substr(i, 2);
            ++i;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += Hex[byte >> 4];
            out += Hex[byte & 0x0F];
        } else if (byte == '\\') {
            out += "\\\\";
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

} // namespace core
