// Where the settings file lives: the temporary directory rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <vector>

#include "files.h"
#include "scopedenv.h"
#include "settingsfile.h"
#include "settingsfile_fixture.h"

namespace {

using namespace settingstest;
using testutil::ScopedEnv;
using testutil::TempDir;
using testutil::WriteFileBytes;
namespace fs = std::filesystem;

struct LocationRow
{
    const char* name;
    // "@" stands for the test's own directory; nullopt unsets the variable.
    std::optional<std::string> tmpdir;
    std::optional<std::string> xdgCache;
    std::optional<std::string> home;
    std::vector<std::string> directories; // made under "@" first
    std::vector<std::string> files;       // likewise
    std::string tempPath;
    std::string settingsPath; // where the file is saved
    std::string old;          // the one file of the earlier release
    std::optional<std::string> xdgConfig = std::nullopt;
};

std::string Expand(const std::string& text, const std::string& root)
{
    std::string out = text;
    for (std::size_t at = out.find('@'); at != std::string::npos; at = out.find('@', at))
        out.replace(at, 1, root), at += root.size();
    return out;
}

void PrintTo(const LocationRow& row, std::ostream* os)
{
    *os << row.name;
}

class LocationTable : public ::testing::TestWithParam<LocationRow>
{
};

TEST_P(LocationTable, FollowsTheRule)
{
    const LocationRow& row = GetParam();
    TempDir dir;
    for (const std::string& sub : row.directories)
        fs::create_directories(dir.Path() + "/" + sub);
    for (const std::string& file : row.files)
        WriteFileBytes(dir.Path() + "/" + file, "a file");
    const auto expand = [&](const std::optional<std::string>& v) -> std::optional<std::string> {
        return v ? std::optional(Expand(*v, dir.Path())) : std::nullopt;
    };
    ScopedEnv tmpdir("TMPDIR", expand(row.tmpdir));
    ScopedEnv xdg("XDG_CACHE_HOME", expand(row.xdgCache));
    ScopedEnv home("HOME", expand(row.home));
    ScopedEnv config("XDG_CONFIG_HOME", expand(row.xdgConfig));
    EXPECT_EQ(settings::GetTempPathA(), Expand(row.tempPath, dir.Path()));
    EXPECT_EQ(settings::SettingsFilePath(), Expand(row.settingsPath, dir.Path()));
    EXPECT_EQ(settings::OldSettingsPath(), Expand(row.old, dir.Path()));
}

const char* const NewPlace = "@/h/.config/ocrprint/ocrprn2.ini";

INSTANTIATE_TEST_SUITE_P(
    Settings, LocationTable,
    ::testing::Values(LocationRow{"TmpdirExisting",
                                  "@/t",
                                  "@/x",
                                  "@/h",
                                  {"t", "x", "h/.cache"},
                                  {},
                                  "@/t/",
                                  NewPlace,
                                  "@/t/ocrprn2.ini"},
                      LocationRow{"TmpdirWithSlash",
                                  "@/t/",
                                  std::nullopt,
                                  "@/h",
                                  {"t"},
                                  {},
                                  "@/t/",
                                  NewPlace,
                                  "@/t/ocrprn2.ini"},
                      LocationRow{"TmpdirMissingMeansCurrentDirectory",
                                  "@/gone",
                                  "@/x",
                                  "@/h",
                                  {"x", "h/.cache"},
                                  {},
                                  "@/gone/",
                                  NewPlace,
                                  "ocrprn2.ini"},
                      LocationRow{"TmpdirIsAFileMeansCurrentDirectory",
                                  "@/file",
                                  std::nullopt,
                                  "@/h",
                                  {"h/.cache"},
                                  {"file"},
                                  "@/file/",
                                  NewPlace,
                                  "ocrprn2.ini"},
                      LocationRow{"EmptyTmpdirFallsToXdgCache",
                                  "",
                                  "@/x",
                                  "@/h",
                                  {"x"},
                                  {},
                                  "@/x/",
                                  NewPlace,
                                  "@/x/ocrprn2.ini"},
                      LocationRow{"XdgCacheWhenTmpdirUnset",
                                  std::nullopt,
                                  "@/x",
                                  "@/h",
                                  {"x", "h/.cache"},
                                  {},
                                  "@/x/",
                                  NewPlace,
                                  "@/x/ocrprn2.ini"},
                      LocationRow{"RelativeXdgCacheIgnored",
                                  std::nullopt,
                                  "x",
                                  "@/h",
                                  {"h/.cache"},
                                  {},
                                  "@/h/.cache/",
                                  NewPlace,
                                  "@/h/.cache/ocrprn2.ini"},
                      LocationRow{"HomeCacheWhenBothUnset",
                                  std::nullopt,
                                  std::nullopt,
                                  "@/h",
                                  {"h/.cache"},
                                  {},
                                  "@/h/.cache/",
                                  NewPlace,
                                  "@/h/.cache/ocrprn2.ini"},
                      LocationRow{"HomeCacheMissingLeavesCurrentDirectory",
                                  std::nullopt,
                                  std::nullopt,
                                  "@/h",
                                  {"h"},
                                  {},
                                  "@/h/.cache/",
                                  NewPlace,
                                  "ocrprn2.ini"},
                      LocationRow{"XdgConfigHome",
                                  "@/t",
                                  std::nullopt,
                                  "@/h",
                                  {"t"},
                                  {},
                                  "@/t/",
                                  "@/c/ocrprint/ocrprn2.ini",
                                  "@/t/ocrprn2.ini",
                                  "@/c"},
                      LocationRow{"RelativeXdgConfigIgnored",
                                  std::nullopt,
                                  std::nullopt,
                                  "@/h",
                                  {},
                                  {},
                                  "@/h/.cache/",
                                  NewPlace,
                                  "ocrprn2.ini",
                                  "c"},
                      // Without a home the place earlier releases used is all there is.
                      LocationRow{"NoHomeUsesTheOldRule",
                                  "@/t",
                                  std::nullopt,
                                  std::nullopt,
                                  {"t"},
                                  {},
                                  "@/t/",
                                  "@/t/ocrprn2.ini",
                                  "@/t/ocrprn2.ini"},
                      LocationRow{"NothingKnownUsesCurrentDirectory",
                                  std::nullopt,
                                  "",
                                  std::nullopt,
                                  {},
                                  {},
                                  "",
                                  "ocrprn2.ini",
                                  "ocrprn2.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsLocation, DecidedAnewOnEveryCallAndUsedByLoadAndSave)
{
    TempDir dir;
    ScopedEnv tmpdir("TMPDIR", dir.File("none"));
    ScopedEnv cache("XDG_CACHE_HOME", dir.File("none"));
    core::TPrintAdjustment adjustment;
    adjustment.HorzOffset = 4.5;
    {
        ScopedEnv config("XDG_CONFIG_HOME", dir.File("a"));
        EXPECT_TRUE(settings::SaveSettings(adjustment));
    }
    adjustment.HorzOffset = -3;
    {
        ScopedEnv config("XDG_CONFIG_HOME", dir.File("b"));
        EXPECT_TRUE(settings::SaveSettings(adjustment));
        core::TPrintAdjustment loaded;
        settings::LoadSettings(loaded);
        EXPECT_EQ(loaded.HorzOffset, -3);
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", dir.File("a"));
        core::TPrintAdjustment loaded;
        settings::LoadSettings(loaded);
        EXPECT_EQ(loaded.HorzOffset, 4.5);
    }
    // The directories the save made are the user's alone.
    for (const char* made : {"a", "a/ocrprint", "b/ocrprint"}) {
        struct stat st;
        ASSERT_EQ(::stat(dir.File(made).c_str(), &st), 0) << made;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
}

} // namespace
