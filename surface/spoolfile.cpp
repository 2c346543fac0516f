#include "spoolfile.h"

#include <QDir>
#include <QFile>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace surface {

namespace {

// What the signal handler may touch: fixed buffers, filled before the slot is
// marked in use and read only while it is.
struct Slot
{
    volatile std::sig_atomic_t Used = 0;
    char Directory[4096] = {};
    char File[4096] = {};
};
std::array<Slot, 8> g_slots;
std::mutex g_slotsLock; // between threads; the handler only reads

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};
struct sigaction g_previous[std::size(Signals)];

void RemoveAllAndReraise(int signal)
{
    for (Slot& slot : g_slots) {
        if (slot.Used) {
            ::unlink(slot.File);
            ::rmdir(slot.Directory);
        }
    }
    // The signal then does what it did before: end the program, or run the
    // handler that was there.
    for (std::size_t i = 0; i < std::size(Signals); ++i)
        if (Signals[i] == signal)
            ::sigaction(signal, &g_previous[i], nullptr);
    ::raise(signal);
}

void InstallHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < std::size(Signals); ++i) {
            struct sigaction previous = {};
            ::sigaction(Signals[i], nullptr, &previous);
            g_previous[i] = previous;
            // A signal the program was told to ignore (nohup) stays ignored.
            if (previous.sa_handler == SIG_IGN)
                continue;
            struct sigaction action = {};
            action.sa_handler = RemoveAllAndReraise;
            sigemptyset(&action.sa_mask);
            for (int other : Signals)
                sigaddset(&action.sa_mask, other);
            ::sigaction(Signals[i], &action, nullptr);
        }
    });
}

bool Fits(const QByteArray& path)
{
    return path.size() < static_cast<int>(sizeof(Slot::File));
}

// Holds the three signals back while the paths are recorded or forgotten, so
// that a directory is never made or left without the handler knowing it.
class SignalsHeld
{
public:
    SignalsHeld()
    {
        sigset_t set;
        sigemptyset(&set);
        for (int signal : Signals)
            sigaddset(&set, signal);
        ::pthread_sigmask(SIG_BLOCK, &set, &m_old);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t m_old;
};

// A spool directory is "ocrprint-PID-XXXXXX": the process that made it is in
// its name, so that a later run knows when it is gone.
const QString Prefix = QStringLiteral("ocrprint-");

// The pid a spool directory's name gives, or 0 for a name of another kind.
pid_t OwnerPid(const char* name)
{
    const std::size_t prefix = std::strlen("ocrprint-");
    if (std::strncmp(name, "ocrprint-", prefix) != 0)
        return 0;
    char* end = nullptr;
    const long pid = std::strtol(name + prefix, &end, 10);
    if (end == name + prefix || *end != '-' || std::strlen(end) != 7 || pid <= 0)
        return 0;
    return static_cast<pid_t>(pid);
}

// A run ended by kill -9 or a crash leaves its directory, with a taxpayer's
// page in it, behind: the next run removes the user's own directories whose
// process is gone. Another user's, and a running process's, stay.
void RemoveStaleDirectories(const QByteArray& temporary)
{
    DIR* dir = ::opendir(temporary.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t pid = OwnerPid(entry->d_name);
        if (pid == 0 || pid == ::getpid())
            continue;
        struct stat info = {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        if (fd < 0)
            continue;
        // Only what a spool directory holds: files, no directories below.
        if (DIR* inner = ::fdopendir(fd)) {
            while (const dirent* file = ::readdir(inner))
                if (std::strcmp(file->d_name, ".") != 0 && std::strcmp(file->d_name, "..") != 0)
                    ::unlinkat(fd, file->d_name, 0);
            ::closedir(inner);
        } else {
            ::close(fd);
        }
        ::unlinkat(dirFd, entry->d_name, AT_REMOVEDIR);
    }
    ::closedir(dir);
}

} // namespace

SpoolFile::SpoolFile() = default;

SpoolFile::~SpoolFile()
{
    Remove();
}

bool SpoolFile::Create()
{
    Remove();
    InstallHandlers();
    const SignalsHeld held;
    // Qt gives an empty path for a TMPDIR that is not there: the directory
    // would be made in / (where root may write), so no spool file then.
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty())
        return false;
    RemoveStaleDirectories(QFile::encodeName(temporary));
    QByteArray directory =
        QFile::encodeName(temporary + QStringLiteral("/") + Prefix + QString::number(::getpid()) +
                          QStringLiteral("-XXXXXX"));
    // mkdtemp makes the directory 0700.
    if (!::mkdtemp(directory.data()))
        return false;
    const QByteArray file = directory + "/page.pdf";
    if (!Fits(file)) {
        ::rmdir(directory.constData());
        return false;
    }
    {
        const std::lock_guard lock(g_slotsLock);
        for (std::size_t i = 0; i < g_slots.size(); ++i) {
            if (!g_slots[i].Used) {
                std::memcpy(g_slots[i].Directory, directory.constData(), directory.size() + 1);
                std::memcpy(g_slots[i].File, file.constData(), file.size() + 1);
                g_slots[i].Used = 1;
                m_slot = static_cast<int>(i);
                break;
            }
        }
    }
    // More documents at once than slots (only tests make them): the file is
    // still removed at the end, only not on a signal.
    m_path = QFile::decodeName(file);
    return true;
}

void SpoolFile::Remove()
{
    if (m_path.isEmpty())
        return;
    const SignalsHeld held;
    const QByteArray file = QFile::encodeName(m_path);
    ::unlink(file.constData());
    const QByteArray directory = file.left(file.lastIndexOf('/'));
    ::rmdir(directory.constData());
    if (m_slot >= 0) {
        const std::lock_guard lock(g_slotsLock);
        g_slots[static_cast<std::size_t>(m_slot)].Used = 0;
        m_slot = -1;
    }
    m_path.clear();
}

} // namespace surface
