#include "settingsfile.h"

#include <array>
#include <cstdlib>
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

// The rule of earlier releases: the temporary directory when it exists, else
// the current directory.
std::string OldRulePath()
{
    const std::string dir = GetTempPathA();
    return IsDirectory(dir) ? dir + FileName : FileName;
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
        return OldRulePath();
    return config + "/ocrprint/" + FileName;
}

std::vector<std::string> LegacySettingsPaths()
{
    std::vector<std::string> paths;
    const auto add = [&](std::string dir) {
        if (dir.empty() || !IsDirectory(dir))
            return;
        if (dir.back() != '/')
            dir += '/';
        paths.push_back(dir + FileName);
    };
    add(Environment("TMPDIR"));
    const std::string cache = Environment("XDG_CACHE_HOME");
    const std::string home = Environment("HOME");
    if (!cache.empty() && cache.front() == '/')
        add(cache);
    else if (!home.empty())
        add(home + "/.cache");
    paths.push_back(FileName);
    return paths;
}

std::vector<std::string> SettingsCandidates()
{
    std::vector<std::string> paths{SettingsFilePath()};
    for (std::string& path : LegacySettingsPaths())
        if (path != paths.front())
            paths.push_back(std::move(path));
    return paths;
}

std::vector<LoadResult> LoadSettings(core::TPrintAdjustment& adjustment)
{
    std::vector<LoadResult> found;
    for (const std::string& path : SettingsCandidates()) {
        LoadResult result = LoadSettingsFrom(path, adjustment);
        if (result.Status == LoadStatus::Missing)
            continue;
        found.push_back(result);
        if (result.Status == LoadStatus::Loaded)
            break;
    }
    return found;
}

LoadResult LoadSettingsFrom(const std::string& path, core::TPrintAdjustment& adjustment)
{
    adjustment = core::TPrintAdjustment{};

    // A symbolic link is refused here as it is on saving, so that what is
    // read is always what the program itself wrote.
    core::TextModeReader reader;
    if (!reader.Open(path, /*noFollow=*/true))
        return {path, LoadStatus::Missing};
    // A calibration someone else could have put there would move every entry
    // of a declaration where they want it.
    const struct stat& info = reader.FileInfo();
    if (info.st_uid != ::geteuid())
        return {path, LoadStatus::NotOwned};
    if ((info.st_mode & 022) != 0)
        return {path, LoadStatus::WritableByOthers};

    const auto fields = FileFields(adjustment);
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // The two offsets were read into a shorter buffer than the rest.
        const std::size_t maxBytes = i < 2 ? 254 : 255;
        if (!reader.ReadLine(line, maxBytes))
            break; // this line and every later one keep their defaults
        // The line is a C string: a NUL byte ends it, as it ends a data line.
        if (const std::size_t nul = line.find('\0'); nul != std::string::npos)
            line.resize(nul);
        while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
            line.pop_back();
        *fields[i] = core::StrToFloatDef0(line);
    }
    return {path, LoadStatus::Loaded};
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
