#include "argumentcodec.h"

#include "utf8.h"

namespace cli {

namespace {

constexpr char16_t EscapeBase = 0xDC00; // U+DC80..U+DCFF stand for 0x80..0xFF

} // namespace

QString DecodeArgument(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const core::Utf8Char c = core::NextUtf8Char(bytes, i);
        if (!c.Valid) {
            // Byte by byte: what follows a broken lead byte may start a
            // character of its own.
            text += QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        const char32_t one[] = {c.CodePoint};
        text += QString::fromUcs4(one, 1);
        i += c.Length;
    }
    return text;
}

std::string EncodeArgument(const QString& text)
{
    std::string bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
            bytes += static_cast<char>(unit - EscapeBase);
            continue;
        }
        // Everything else came from valid UTF-8 (or from the program's own
        // texts) and goes back as UTF-8, a surrogate pair as one character.
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        bytes += text.mid(i, length).toStdString();
        i += length - 1;
    }
    return bytes;
}

} // namespace cli
