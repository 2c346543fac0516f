#include "settingsfile.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "conversions.h"
#include "outputfile.h"
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

// The directory of the user's configuration: $XDG_CONFIG_HOME when absolute,
// else $HOME/.config; empty when neither is known.
std::string ConfigHome()
{
    const std::string config = Environment("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/')
        return config;
    const std::string home = Environment("HOME");
    return home.empty() ? std::string() : home + "/.config";
}

LoadResult Result(const std::string& path, LoadStatus status, mode_t type = 0, int error = 0)
{
    LoadResult result;
    result.Path = path;
    result.Status = status;
    result.Type = type;
    result.Error = error;
    return result;
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
    const std::string config = ConfigHome();
    if (config.empty())
        return OldSettingsPath();
    return config + "/ocrprint/" + FileName;
}

std::string OldSettingsPath()
{
    const std::string dir = GetTempPathA();
    return IsDirectory(dir) ? dir + FileName : FileName;
}

std::vector<std::string> SettingsCandidates()
{
    std::vector<std::string> paths{SettingsFilePath()};
    if (std::string old = OldSettingsPath(); old != paths.front())
        paths.push_back(std::move(old));
    return paths;
}

SettingsChoice LoadSettings(core::TPrintAdjustment& adjustment)
{
    SettingsChoice choice;
    choice.Config = LoadSettingsFrom(SettingsFilePath(), adjustment);
    // A refused file means the defaults: taking an older file instead would
    // put a calibration nobody chose under the user's entries.
    if (choice.Config.Status != LoadStatus::Missing)
        return choice;
    const std::string old = OldSettingsPath();
    if (old != choice.Config.Path)
        choice.Old = LoadSettingsFrom(old, adjustment);
    return choice;
}

const char* FieldName(int field)
{
    static constexpr std::array<const char*, 8> Names = {"HorzOffset", "VertOffset", "VertScale",
                                                         "HorzScale",  "MeasuredX",  "MeasuredY",
                                                         "MeasuredA",  "MeasuredB"};
    return field >= 0 && field < 8 ? Names[static_cast<std::size_t>(field)] : "";
}

bool UserPrivateGroup(uid_t uid, gid_t gid)
{
    const struct passwd* user = ::getpwuid(uid);
    if (user == nullptr || user->pw_gid != gid)
        return false;
    const std::string name = user->pw_name;
    if (const struct group* group = ::getgrgid(gid); group != nullptr)
        for (char* const* member = group->gr_mem; member && *member; ++member)
            if (name != *member)
                return false;
    // Another account whose primary group it is may write the file as well.
    bool alone = true;
    ::setpwent();
    while (const struct passwd* other = ::getpwent())
        if (other->pw_gid == gid && other->pw_uid != uid)
            alone = false;
    ::endpwent();
    return alone;
}

LoadResult LoadSettingsFrom(const std::string& path, core::TPrintAdjustment& adjustment)
{
    adjustment = core::TPrintAdjustment{};

    // A symbolic link is refused here as it is on saving, so that what is
    // read is always what the program itself wrote.
    core::TextModeReader reader;
    if (!reader.Open(path, /*noFollow=*/true)) {
        const int error = errno;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0)
            return Result(path, errno == ENOENT ? LoadStatus::Missing : LoadStatus::NotAFile, 0,
                          error);
        LoadResult result = Result(path, LoadStatus::NotAFile, st.st_mode & S_IFMT);
        if (S_ISREG(st.st_mode))
            result.Error = error;
        return result;
    }
    // A calibration someone else could have put there would move every entry
    // of a declaration where they want it.
    const struct stat& info = reader.FileInfo();
    if (info.st_uid != ::geteuid())
        return Result(path, LoadStatus::NotOwned);
    // Group write is the default of many systems for files in the user's own
    // group, which no one else is in.
    if ((info.st_mode & 002) != 0 ||
        ((info.st_mode & 020) != 0 && !UserPrivateGroup(info.st_uid, info.st_gid)))
        return Result(path, LoadStatus::WritableByOthers);

    LoadResult result = Result(path, LoadStatus::Loaded);
    const auto fields = FileFields(adjustment);
    std::string line;
    int lineNumber = 1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // The two offsets were read into a shorter buffer than the rest.
        const std::size_t maxBytes = i < 2 ? 254 : 255;
        if (!reader.ReadLine(line, maxBytes))
            break; // this line and every later one keep their defaults
        const bool whole = !line.empty() && line.back() == '\n';
        const bool cut = !whole && line.size() == maxBytes && !reader.AtEnd();
        // The line is a C string: a NUL byte ends it, as it ends a data line.
        if (const std::size_t nul = line.find('\0'); nul != std::string::npos)
            line.resize(nul);
        while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
            line.pop_back();
        double value = 0;
        const bool number = core::TryStrToFloat(line, value);
        *fields[i] = number ? value : 0;
        // What a hand edit made of the line, for the user to be told.
        LineNote note{LineNote::Kind::NotANumber,
                      lineNumber,
                      static_cast<int>(i),
                      line,
                      *fields[i],
                      maxBytes};
        if (cut) {
            note.What = LineNote::Kind::Overlong;
            result.Notes.push_back(note);
        } else if (!number) {
            if (i == 0 && line.rfind("\xEF\xBB\xBF", 0) == 0)
                note.What = LineNote::Kind::ByteOrderMark;
            result.Notes.push_back(note);
        }
        if (!cut)
            ++lineNumber;
    }
    return result;
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

bool SaveSettings(const core::TPrintAdjustment& adjustment, std::string* reason)
{
    const std::string path = SettingsFilePath();
    // The new place's directory, private as the calibration is the user's.
    if (const std::string config = ConfigHome(); !config.empty()) {
        ::mkdir(config.c_str(), 0700);
        ::mkdir((config + "/ocrprint").c_str(), 0700);
    }
    return SaveSettingsTo(path, adjustment, reason);
}

bool SaveSettingsTo(const std::string& path, const core::TPrintAdjustment& adjustment,
                    std::string* reason)
{
    core::OutputFile file(core::OutputKind::Settings);
    if (file.Open(path) && file.Write(SettingsFileContent(adjustment)) && file.Commit())
        return true;
    if (reason)
        *reason = file.Reason();
    return false;
}

} // namespace settings
