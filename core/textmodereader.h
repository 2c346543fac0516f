#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace core {

// Reads a file the way a Windows C library reads one opened in text mode: every
// CR byte is dropped wherever it stands, a 0x1A byte ends the file, LF ends a
// line. ReadLine is fgets: it takes at most maxBytes bytes, stops after a LF,
// and the rest of a longer line comes with the next call.
class TextModeReader
{
public:
    TextModeReader() = default;
    ~TextModeReader();
    TextModeReader(const TextModeReader&) = delete;
    TextModeReader& operator=(const TextModeReader&) = delete;

    // Opens a regular file for reading. With noFollow a symbolic link at the
    // path is not followed and the open fails.
    bool Open(const std::string& path, bool noFollow = false);
    // Reads the given bytes exactly as Open() reads a file holding them (the
    // data of a pipe, read whole).
    void OpenBytes(std::string bytes);
    void Close();
    bool IsOpen() const { return m_file != nullptr || m_inMemory; }
    // The open file's status (owner, mode), as it was when it was opened
    // (all zero for bytes).
    const struct stat& FileInfo() const { return m_info; }

    // Reads the next piece of a line into line (replacing its content), at
    // most maxBytes bytes after the CRs are dropped, up to and including a
    // LF. Returns false when nothing could be read (end of file, 0x1A or a read
    // error).
    bool ReadLine(std::string& line, std::size_t maxBytes);

    // True once the end of the file, a 0x1A or a read error has been met.
    bool AtEnd();

private:
    bool Fill();

    std::FILE* m_file = nullptr;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_eof = false;
    bool m_inMemory = false; // OpenBytes: the buffer holds all there is
    struct stat m_info = {};
};

} // namespace core
