#include "cp932.h"

#include <array>
#include <bitset>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace core {

namespace {

// One conversion through iconv. Invalid input is handled by the caller's
// callback, which returns how many input bytes to skip and may append a
// replacement; iconv itself is never asked to guess.
class Iconv
{
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between code page 932 and Unicode");
    }
    ~Iconv() { iconv_close(m_cd); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    iconv_t Handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

template <typename Out, typename OnInvalid>
void Convert(iconv_t cd, std::string_view in, Out& out, OnInvalid onInvalid)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    // Aligned so that the chunk can be read as UTF-16 code units.
    alignas(char32_t) char chunk[4096];
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const typename Out::value_type*>(chunk),
                   (sizeof chunk - outLeft) / sizeof(typename Out::value_type));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an invalid or incomplete sequence.
            const std::size_t skip = onInvalid(std::string_view(inPtr, inLeft), out);
            inPtr += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

} // namespace

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t FindInvalidCp932(std::string_view bytes)
{
    // Which single bytes and which pairs map, asked of the decoder once.
    struct Table
    {
        std::array<bool, 256> Single{};
        std::bitset<65536> Pair;
        Table()
        {
            for (int b = 0; b < 256; ++b) {
                if (IsCp932LeadByte(static_cast<unsigned char>(b)))
                    continue;
                const char c = static_cast<char>(b);
                Single[b] =
                    DecodeCp932(std::string_view(&c, 1)).find(u'\uFFFD') == std::u16string::npos;
            }
            for (int lead = 0x81; lead <= 0xFC; ++lead) {
                if (!IsCp932LeadByte(static_cast<unsigned char>(lead)))
                    continue;
                for (int trail = 0x40; trail <= 0xFC; ++trail) {
                    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                    const std::u16string text = DecodeCp932(std::string_view(pair, 2));
                    Pair[(lead << 8) | trail] = text.size() == 1 && text[0] != u'\uFFFD';
                }
            }
        }
    };
    static const Table table;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            continue;
        if (!IsCp932LeadByte(b)) {
            if (!table.Single[b])
                return i;
            continue;
        }
        if (i + 1 == bytes.size() ||
            !table.Pair[(b << 8) | static_cast<unsigned char>(bytes[i + 1])])
            return i;
        ++i;
    }
    return std::string_view::npos;
}

std::u16string DecodeCp932(std::string_view bytes)
{
    thread_local Iconv cd("UTF-16LE", "CP932");
    std::u16string out;
    out.reserve(bytes.size());
    Convert(cd.Handle(), bytes, out, [](std::string_view rest, std::u16string& o) -> std::size_t {
        o.push_back(u'\uFFFD');
        // A lead byte with a trail byte that maps to nothing is one unknown
        // character; anything else skips one byte and goes on.
        const auto lead = static_cast<unsigned char>(rest[0]);
        if (IsCp932LeadByte(lead) && rest.size() >= 2) {
            const auto trail = static_cast<unsigned char>(rest[1]);
            if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F)
                return 2;
        }
        return 1;
    });
    return out;
}

std::string EncodeCp932(std::string_view utf8)
{
    thread_local Iconv cd("CP932", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    Convert(cd.Handle(), utf8, out, [](std::string_view rest, std::string& o) -> std::size_t {
        o.push_back('?');
        // Skip the character that has no mapping: its lead byte and the
        // continuation bytes that follow it, but never an ASCII byte or the
        // lead of the next character, which a broken sequence may be cut by.
        const auto b = static_cast<unsigned char>(rest[0]);
        const std::size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        std::size_t skip = 1;
        while (skip < n && skip < rest.size() &&
               (static_cast<unsigned char>(rest[skip]) & 0xC0) == 0x80)
            ++skip;
        return skip;
    });
    return out;
}

std::string Cp932ToUtf8(std::string_view bytes)
{
    const std::u16string wide = DecodeCp932(bytes);
    thread_local Iconv cd("UTF-8", "UTF-16LE");
    std::string out;
    out.reserve(wide.size() * 3);
    Convert(cd.Handle(),
            std::string_view(reinterpret_cast<const char*>(wide.data()), wide.size() * 2), out,
            [](std::string_view rest, std::string& o) -> std::size_t {
                o += "\xEF\xBF\xBD";
                return rest.size() >= 2 ? 2 : rest.size();
            });
    return out;
}

} // namespace core
