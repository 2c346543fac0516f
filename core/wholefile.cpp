#include "wholefile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

bool ReadToEnd(int fd, std::string& bytes, std::size_t limit)
{
    bytes.clear();
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (static_cast<std::size_t>(got) > limit - bytes.size()) {
            bytes.clear();
            errno = EFBIG;
            return false;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

bool ReadRegularFile(const std::string& path, std::string& bytes)
{
    // O_NONBLOCK keeps a FIFO at the path from blocking the open; only a
    // regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info
    {
    };
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        const int status = ::fcntl(fd, F_GETFL);
        if (status != -1)
            ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
        ok = ReadToEnd(fd, bytes, bytes.max_size());
    }
    ::close(fd);
    return ok;
}

} // namespace core
