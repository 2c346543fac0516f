#include "outputfile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

// Our own refusal: something other than a regular file is at the path and
// must not be replaced (a directory has its own errno).
constexpr int NotRegularFile = -1;

// As many links as the kernel follows in one path.
constexpr int MaxLinks = 40;

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// fs.protected_symlinks: in a sticky world-writable directory (/tmp) a link
// is followed only when it belongs to the follower or to the directory's
// owner, so that nobody can point another user's output at a file of theirs.
bool MayFollow(const std::string& link, const struct stat& linkInfo)
{
    if (linkInfo.st_uid == ::geteuid())
        return true;
    struct stat dir;
    if (::stat(DirectoryOf(link).c_str(), &dir) != 0)
        return false;
    if ((dir.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH))
        return true;
    return dir.st_uid == linkInfo.st_uid;
}

// Whether the user may write to the regular file described by info. Root
// may write anything, but a file without any write permission was made
// read-only on purpose and is kept.
int WritableError(const std::string& path, const struct stat& info)
{
    if (::geteuid() == 0)
        return (info.st_mode & 0222) == 0 ? EACCES : 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

} // namespace

OutputFile::OutputFile(OutputKind kind) : m_kind(kind) {}

OutputFile::~OutputFile()
{
    Discard();
}

std::string OutputFile::TemporaryFor(const std::string& target)
{
    const std::string dir = DirectoryOf(target);
    return (dir == "/" ? "" : dir) + "/." + BaseOf(target) + ".tmp";
}

std::string OutputFile::Reason() const
{
    if (m_error == NotRegularFile)
        return "not a regular file";
    return std::strerror(m_error);
}

bool OutputFile::Fail(int error)
{
    if (m_error == 0)
        m_error = error != 0 ? error : EIO;
    return false;
}

bool OutputFile::Open(const std::string& path)
{
    Discard();
    m_path = path;
    m_error = 0;
    if (m_kind == OutputKind::Document && path == "-") {
        // What the C library holds for standard output goes first.
        std::fflush(stdout);
        m_fd = STDOUT_FILENO;
        m_stream = true;
        return true;
    }
    if (path.empty())
        return Fail(ENOENT);

    if (const int error = TargetOf(path, m_kind, m_target))
        return Fail(error);
    return OpenTarget();
}

int OutputFile::TargetOf(const std::string& path, OutputKind kind, std::string& target)
{
    // The file a chain of links ends at, each link checked on the way: the
    // rename replaces a path's last component, it does not follow it.
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        if (kind == OutputKind::Settings || hops == MaxLinks)
            return ELOOP;
        if (!MayFollow(target, info))
            return EACCES;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (n < 0 || n == static_cast<ssize_t>(sizeof buffer))
            return n < 0 ? errno : ENAMETOOLONG;
        const std::string link(buffer, static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : DirectoryOf(target) + "/" + link;
    }
}

bool OutputFile::OpenTarget()
{
    struct stat old;
    const bool exists = ::lstat(m_target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Fail(errno);
    if (exists && S_ISDIR(old.st_mode))
        return Fail(EISDIR);
    if (exists && (S_ISCHR(old.st_mode) || S_ISFIFO(old.st_mode)) &&
        m_kind == OutputKind::Document) {
        // A terminal, /dev/null or a pipe takes the bytes as they come. A FIFO
        // nobody reads fails here instead of waiting for ever.
        m_fd = ::open(m_target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (m_fd < 0)
            return Fail(errno);
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags != -1)
            ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
        m_stream = true;
        m_ownsFd = true;
        return true;
    }
    if (exists && !S_ISREG(old.st_mode))
        return Fail(NotRegularFile);
    if (exists) {
        if (const int error = WritableError(m_target, old))
            return Fail(error);
    }

    // A temporary left by a run that was killed goes first; O_EXCL then makes
    // sure the one written is our own and no link planted in its place.
    m_temporary = TemporaryFor(m_target);
    if (::unlink(m_temporary.c_str()) != 0 && errno != ENOENT) {
        const int error = errno;
        m_temporary.clear();
        return Fail(error);
    }
    const mode_t mode = m_kind == OutputKind::Settings ? 0600 : 0666;
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear();
        return Fail(error);
    }
    m_ownsFd = true;
    struct stat mine;
    if (::fstat(m_fd, &mine) == 0) {
        m_tempDev = mine.st_dev;
        m_tempIno = mine.st_ino;
    }
    if (exists) {
        // The replacement keeps the old file's permissions (and, for root, its
        // owner); the settings file never stays writable by others.
        mode_t keep = old.st_mode & 0777;
        if (m_kind == OutputKind::Settings)
            keep &= ~mode_t{022};
        (void)::fchmod(m_fd, keep);
        if (m_kind == OutputKind::Document && ::geteuid() == 0 &&
            (old.st_uid != mine.st_uid || old.st_gid != mine.st_gid))
            (void)::fchown(m_fd, old.st_uid, old.st_gid);
    }
    return true;
}

bool OutputFile::Write(std::string_view bytes)
{
    if (m_fd < 0)
        return Fail(EBADF);
    if (m_error != 0)
        return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            return Fail(ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool OutputFile::Commit()
{
    if (m_fd < 0) {
        Discard();
        return Fail(EBADF);
    }
    if (m_error != 0) {
        Discard();
        return false;
    }
    if (m_stream) {
        int error = 0;
        if (m_ownsFd && ::close(m_fd) != 0)
            error = errno;
        m_fd = -1;
        m_ownsFd = false;
        m_stream = false;
        return error == 0 || Fail(error);
    }
    // On disk before the name points at it; the close's own error counts too
    // (a network file system reports a full disk only there).
    if (::fsync(m_fd) != 0) {
        const int error = errno;
        Discard();
        return Fail(error);
    }
    const int closed = ::close(m_fd);
    const int closeError = errno;
    m_fd = -1;
    m_ownsFd = false;
    if (closed != 0) {
        Discard();
        return Fail(closeError);
    }
    // Another run may have taken the temporary's name meanwhile, or a link
    // may have been put at the target: neither is replaced.
    struct stat temp;
    struct stat now;
    if (::lstat(m_temporary.c_str(), &temp) != 0 || temp.st_dev != m_tempDev ||
        temp.st_ino != m_tempIno) {
        m_temporary.clear();
        return Fail(EBUSY);
    }
    if (::lstat(m_target.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
        Discard();
        return Fail(S_ISDIR(now.st_mode) ? EISDIR : S_ISLNK(now.st_mode) ? ELOOP : NotRegularFile);
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        Discard();
        return Fail(error);
    }
    m_temporary.clear();
    // Makes the rename itself durable; the file is complete either way.
    const int dir = ::open(DirectoryOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void OutputFile::Discard()
{
    Close();
    if (!m_temporary.empty()) {
        struct stat temp;
        if (::lstat(m_temporary.c_str(), &temp) == 0 && temp.st_dev == m_tempDev &&
            temp.st_ino == m_tempIno)
            ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
    m_stream = false;
}

void OutputFile::Close()
{
    if (m_fd >= 0 && m_ownsFd)
        ::close(m_fd);
    m_fd = -1;
    m_ownsFd = false;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat x;
    struct stat y;
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

} // namespace core
