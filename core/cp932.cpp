#include "cp932.h"

#include <array>
#include <bitset>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>
#include <vector>

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

// The reverse of the decoder: for every UTF-16 code unit the code page 932
// code Windows writes for it, NoCode where there is none. Built from the
// decoder itself, so that encoding and decoding can never disagree.
constexpr std::uint16_t NoCode = 0xFFFF;

// Where the code page holds one character twice, Windows writes the first
// form, except that the NEC-selected IBM extension rows (lead bytes 0xED and
// 0xEE) always lose: JIS X 0208 before the NEC row 13 (0x87) before the IBM
// extension (0xFA-0xFC) before the NEC-selected rows. WideCharToMultiByte
// chooses so, and so does every Windows program that saved a data file.
int Rank(std::uint16_t code)
{
    const unsigned lead = code >> 8;
    return (lead == 0xED || lead == 0xEE) ? 0x10000 + code : code;
}

const std::vector<std::uint16_t>& EncodeTable()
{
    static const std::vector<std::uint16_t> table = [] {
        std::vector<std::uint16_t> t(0x10000, NoCode);
        auto add = [&](std::uint16_t code, const std::string& bytes) {
            const std::u16string wide = DecodeCp932(bytes);
            if (wide.size() != 1 || wide[0] == u'\uFFFD')
                return;
            std::uint16_t& slot = t[wide[0]];
            if (slot == NoCode || Rank(code) < Rank(slot))
                slot = code;
        };
        for (unsigned b = 0; b <= 0xFF; ++b) {
            if (!IsCp932LeadByte(static_cast<unsigned char>(b)))
                add(static_cast<std::uint16_t>(b), std::string(1, static_cast<char>(b)));
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsCp932LeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (!IsCp932TrailByte(static_cast<unsigned char>(trail)))
                    continue;
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                add(static_cast<std::uint16_t>(lead << 8 | trail), std::string(pair, 2));
            }
        }
        return t;
    }();
    return table;
}

} // namespace

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsCp932TrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

std::size_t LastCp932Character(std::string_view bytes)
{
    // Only a walk from the start tells a trail byte from a lead byte.
    std::size_t last = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        last = i;
        i += IsCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    }
    return last;
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

bool AppendCp932(char32_t codePoint, std::string& out)
{
    if (codePoint > 0xFFFF)
        return false;
    const std::uint16_t code = EncodeTable()[codePoint];
    if (code == NoCode)
        return false;
    if (code > 0xFF)
        out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
    return true;
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
            if (IsCp932TrailByte(trail))
                return 2;
        }
        return 1;
    });
    return out;
}

std::string EncodeCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Utf8Char c = NextUtf8Char(utf8, pos);
        pos += c.Length;
        if (!c.Valid || !AppendCp932(c.CodePoint, out))
            out.push_back('?');
    }
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
