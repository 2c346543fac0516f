#include "textmodereader.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

// Large enough to read a big data file in few calls, small enough that
// reading the first lines of a huge file reads little of it.
constexpr std::size_t ChunkBytes = 64 * 1024;

constexpr char EndOfFileByte = '\x1A';

// What text mode makes of a chunk: the bytes from a 0x1A on are gone, and so
// is every CR. Returns where the 0x1A stood, npos when none ended the data.
std::size_t DropTextModeBytes(std::string& chunk)
{
    const std::size_t stop = chunk.find(EndOfFileByte);
    if (stop != std::string::npos)
        chunk.erase(stop);
    chunk.erase(std::remove(chunk.begin(), chunk.end(), '\r'), chunk.end());
    return stop;
}

} // namespace

TextModeReader::~TextModeReader()
{
    Close();
}

bool TextModeReader::Open(const std::string& path, bool noFollow)
{
    Close();
    // O_NONBLOCK keeps a FIFO at the path from blocking the open; it is
    // refused below anyway, and it does not matter for a regular file.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    if (noFollow)
        flags |= O_NOFOLLOW;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0)
        return false;
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status != -1)
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    m_file = ::fdopen(fd, "r");
    if (m_file == nullptr) {
        ::close(fd);
        return false;
    }
    // The reader keeps its own buffer; a second one in the stream would only
    // copy every byte once more.
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    m_buffer.clear();
    m_pos = 0;
    m_eof = false;
    m_consumed = 0;
    m_afterEnd = 0;
    m_info = info;
    return true;
}

void TextModeReader::OpenBytes(std::string bytes)
{
    Close();
    m_buffer = std::move(bytes);
    m_pos = 0;
    m_eof = true;
    m_inMemory = true;
    m_info = {};
    const std::size_t size = m_buffer.size();
    const std::size_t stop = DropTextModeBytes(m_buffer);
    m_afterEnd = stop == std::string::npos ? 0 : size - stop - 1;
}

void TextModeReader::Close()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_pos = 0;
    m_eof = false;
    m_inMemory = false;
    m_consumed = 0;
    m_afterEnd = 0;
}

bool TextModeReader::ReadChunk(std::string& chunk)
{
    chunk.resize(ChunkBytes);
    const std::size_t got = std::fread(chunk.data(), 1, ChunkBytes, m_file);
    chunk.resize(got);
    m_consumed += got;
    const bool failed = got < ChunkBytes && std::ferror(m_file) != 0;
    if (got < ChunkBytes)
        m_eof = true; // end of file or a read error: nothing more comes
    if (const std::size_t stop = DropTextModeBytes(chunk); stop != std::string::npos) {
        m_eof = true;
        // The rest of this chunk and what the file holds beyond it.
        const auto size = static_cast<std::size_t>(std::max<off_t>(m_info.st_size, 0));
        m_afterEnd = got - stop - 1 + (size > m_consumed ? size - m_consumed : 0);
    }
    return !failed;
}

bool TextModeReader::Fill()
{
    m_buffer.clear();
    m_pos = 0;
    // A chunk may hold nothing but CRs; keep reading until a byte is left or
    // the file ends.
    while (m_buffer.empty() && !m_eof && m_file != nullptr)
        ReadChunk(m_buffer);
    return !m_buffer.empty();
}

bool TextModeReader::ReadWhole()
{
    if (m_file == nullptr)
        return IsOpen();
    std::string whole(m_buffer, m_pos);
    whole.reserve(static_cast<std::size_t>(std::max<off_t>(m_info.st_size, 0)));
    std::string chunk;
    bool ok = true;
    while (ok && !m_eof) {
        ok = ReadChunk(chunk);
        whole += chunk;
    }
    std::fclose(m_file);
    m_file = nullptr;
    if (!ok) {
        Close();
        return false;
    }
    m_buffer = std::move(whole);
    m_pos = 0;
    m_inMemory = true;
    return true;
}

bool TextModeReader::ReadLine(std::string& line, std::size_t maxBytes)
{
    line.clear();
    if (!IsOpen() || maxBytes == 0)
        return false;
    while (line.size() < maxBytes) {
        if (m_pos == m_buffer.size() && !Fill())
            break;
        const std::size_t room = maxBytes - line.size();
        const std::size_t avail = std::min(room, m_buffer.size() - m_pos);
        const char* start = m_buffer.data() + m_pos;
        const void* lf = std::memchr(start, '\n', avail);
        const std::size_t take =
            lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1
                          : avail;
        line.append(start, take);
        m_pos += take;
        if (lf != nullptr)
            break;
    }
    return !line.empty();
}

bool TextModeReader::AtEnd()
{
    if (!IsOpen())
        return true;
    if (m_pos < m_buffer.size())
        return false;
    return !Fill();
}

} // namespace core
