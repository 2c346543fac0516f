#include "smalltmpfs.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include "files.h"

namespace testutil {

FullTmpfs::FullTmpfs(const std::string& mountPoint, const std::map<std::string, std::string>& files)
    : m_mountPoint(mountPoint)
{
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0) {
        m_why = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return;
    }
    m_mounted = true;
    for (const auto& [name, bytes] : files)
        WriteFileBytes(mountPoint + "/" + name, bytes);
    const std::string filler = mountPoint + "/" + Filler;
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'f');
    while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
    }
    // The last partial page too.
    while (fd >= 0 && ::write(fd, "f", 1) > 0) {
    }
    if (fd >= 0)
        ::close(fd);
}

FullTmpfs::~FullTmpfs()
{
    if (m_mounted)
        ::umount2(m_mountPoint.c_str(), MNT_DETACH);
}

} // namespace testutil
