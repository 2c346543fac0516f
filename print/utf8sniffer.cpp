#include "utf8sniffer.h"

namespace print {

void Utf8Sniffer::Feed(std::string_view bytes, int line)
{
    for (const char c : bytes) {
        if (!m_valid)
            return;
        const auto b = static_cast<unsigned char>(c);
        if (m_pending > 0) {
            if (b < m_lower || b > m_upper) {
                m_valid = false;
                return;
            }
            m_lower = 0x80;
            m_upper = 0xBF;
            --m_pending;
            continue;
        }
        if (b < 0x80)
            continue;
        // The well-formed sequences of Unicode's table 3-7: no overlong
        // forms, no surrogates, nothing above U+10FFFF.
        m_lower = 0x80;
        m_upper = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            m_pending = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_pending = 2;
            if (b == 0xE0)
                m_lower = 0xA0;
            else if (b == 0xED)
                m_upper = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_pending = 3;
            if (b == 0xF0)
                m_lower = 0x90;
            else if (b == 0xF4)
                m_upper = 0x8F;
        } else {
            m_valid = false;
            return;
        }
        if (m_firstLine == 0)
            m_firstLine = line;
    }
}

} // namespace print
