#include "settingsfile.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "conversions.h"
#include "textmodereader.h"

namespace settings {

namespace {

constexpr const char* FileName = "ocrprn2.ini";

// The saved fields in the order of the file's lines.
template <typename Adjustment> auto FileFields(Adjustment& a)
{
    return std::array{&a.HorzOffset, &a.VertOffset, &a.VertScale, &a.HorzScale,
                      &a.MeasuredX,  &a.MeasuredY,  &a.MeasuredA, &a.MeasuredB};
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsSymbolicLink(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; the new file is complete either way, so a
// failure here is not a failure of the save.
void SyncDirectory(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string GetTempPathA()
{
    std::string dir = Environment("TMPDIR");
    if (dir.empty()) {
        const std::string cache = Environment("XDG_CACHE_HOME");
        if (!cache.empty() && cache.front() == '/') {
            dir = cache;
        } else {
            const std::string home = Environment("HOME");
            if (!home.empty())
                dir = home + "/.cache";
        }
    }
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

std::string SettingsFilePath()
{
    const std::string dir = GetTempPathA();
    if (IsDirectory(dir))
        return dir + FileName;
    return FileName;
}

void LoadSettings(core::TPrintAdjustment& adjustment)
{
    LoadSettingsFrom(SettingsFilePath(), adjustment);
}

void LoadSettingsFrom(const std::string& path, core::TPrintAdjustment& adjustment)
{
    adjustment = core::TPrintAdjustment{};

    // A symbolic link is refused here as it is on saving, so that what is
    // read is always what the program itself wrote.
    core::TextModeReader reader;
    if (!reader.Open(path, /*noFollow=*/true))
        return;

    const auto fields = FileFields(adjustment);
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // The two offsets were read into a shorter buffer than the rest.
        const std::size_t maxBytes = i < 2 ? 254 : 255;
        if (!reader.ReadLine(line, maxBytes))
            break; // this line and every later one keep their defaults
        while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
            line.pop_back();
        *fields[i] = core::StrToFloatDef0(line);
    }
}

std::string SettingsFileContent(const core::TPrintAdjustment& adjustment)
{
    std::string content;
    for (const double* field : FileFields(adjustment)) {
        content += core::FloatToStr(*field);
        content += "\r\n";
    }
    return content;
}

bool SaveSettings(const core::TPrintAdjustment& adjustment)
{
    return SaveSettingsTo(SettingsFilePath(), adjustment);
}

bool SaveSettingsTo(const std::string& path, const core::TPrintAdjustment& adjustment)
{
    const std::string content = SettingsFileContent(adjustment);

    const std::size_t slash = path.rfind('/');
    const std::string dirPrefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string dir = dirPrefix.empty() ? "." : dirPrefix;

    struct stat old;
    const bool haveOld = ::lstat(path.c_str(), &old) == 0;
    if (haveOld && S_ISLNK(old.st_mode))
        return false;

    // Same directory, so that the rename below replaces the file in one step.
    std::string temporary = dirPrefix + "." + base + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;

    // A file the user made readable to others stays so; a new one is private.
    if (haveOld && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 0777);

    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    // A link may have been put there while we were writing.
    if (ok && IsSymbolicLink(path))
        ok = false;
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncDirectory(dir);
    return true;
}

} // namespace settings
