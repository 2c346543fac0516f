#include "utf8sniffer.h"

#include "declarationjob.h"
#include "textmodereader.h"
#include "utf8.h"

namespace print {

void Utf8Sniffer::Feed(std::string_view bytes, int line)
{
    if (!m_valid)
        return;
    std::string joined;
    // The line of the character at pos; a cut one began on an earlier line.
    int lineAt = line;
    if (!m_cut.empty()) {
        joined = std::move(m_cut) + std::string(bytes);
        m_cut.clear();
        bytes = joined;
        lineAt = m_cutLine;
    }
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const core::Utf8Char c = core::NextUtf8Char(bytes, pos);
        if (!c.Valid) {
            // Broken only because the bytes end here: the next call may
            // complete it, and if none does, the file was not UTF-8.
            if (pos + c.Length == bytes.size()) {
                m_cut.assign(bytes.substr(pos));
                m_cutLine = lineAt;
            } else {
                m_valid = false;
            }
            return;
        }
        if (m_firstLine == 0)
            m_firstLine = lineAt;
        pos += c.Length;
        lineAt = line;
    }
}

bool LooksLikeUtf8Data(const std::string& data)
{
    core::TextModeReader reader;
    reader.OpenBytes(data);
    Utf8Sniffer sniffer;
    bool byteOrderMark = false;
    ReadPieces(reader, [&](const LinePiece& piece) {
        if (piece.Number == 1 && piece.Raw.starts_with(core::Utf8ByteOrderMark)) {
            byteOrderMark = true;
            return false;
        }
        sniffer.Feed(piece.Raw, piece.Line);
        return true;
    });
    return byteOrderMark || sniffer.LooksUtf8();
}

} // namespace print
