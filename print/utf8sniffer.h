#pragma once

#include <string>
#include <string_view>

namespace print {

// Watches a file's bytes go by and tells whether they are UTF-8 holding
// multi-byte characters, which Japanese text in code page 932 almost never is.
class Utf8Sniffer
{
public:
    // The next bytes of the file, read on line; a character may be split
    // between two calls.
    void Feed(std::string_view bytes, int line);

    // The whole file was valid UTF-8 with at least one multi-byte character.
    bool LooksUtf8() const { return m_valid && m_cut.empty() && m_firstLine != 0; }
    // The line of the first multi-byte character.
    int FirstLine() const { return m_firstLine; }

private:
    bool m_valid = true;
    std::string m_cut; // a character's first bytes, at the end of the last call
    int m_cutLine = 0; // the line they were read on
    int m_firstLine = 0;
};

// Whether data, read as the declaration job reads it, is a UTF-8 file by
// check's rule: it begins with a byte-order mark, or it is valid UTF-8 with
// multi-byte characters. Looks at the bytes only, before anything is measured
// (a character read as code page 932 may have no face to measure it with).
bool LooksLikeUtf8Data(const std::string& data);

} // namespace print
