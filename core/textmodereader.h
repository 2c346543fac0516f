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

    // Reads the rest of the open file into memory and closes it: what is
    // read from then on is the file as it was now, whatever is written to it
    // later. False, the reader closed, on a read error.
    bool ReadWhole();

    // How many bytes stood after the 0x1A that ended the data (0 when none
    // did); known once the reading has met it.
    std::size_t BytesAfterEnd() const { return m_afterEnd; }

private:
    bool Fill();
    // The next chunk of the file, text mode applied; false on a read error.
    bool ReadChunk(std::string& chunk);

    std::FILE* m_file = nullptr;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_eof = false;
    bool m_inMemory = false;    // OpenBytes: the buffer holds all there is
    std::size_t m_consumed = 0; // bytes taken from the file so far
    std::size_t m_afterEnd = 0;
    struct stat m_info = {};
};

} // namespace core
