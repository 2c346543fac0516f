// Where the settings file lives: the temporary directory rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
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
    std::string settingsPath;
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
    EXPECT_EQ(settings::GetTempPathA(), Expand(row.tempPath, dir.Path()));
    EXPECT_EQ(settings::SettingsFilePath(), Expand(row.settingsPath, dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LocationTable,
    ::testing::Values(
        LocationRow{"TmpdirExisting",
                    "@/t",
                    "@/x",
                    "@/h",
                    {"t", "x", "h/.cache"},
                    {},
                    "@/t/",
                    "@/t/ocrprn2.ini"},
        LocationRow{
            "TmpdirWithSlash", "@/t/", std::nullopt, "@/h", {"t"}, {}, "@/t/", "@/t/ocrprn2.ini"},
        LocationRow{"TmpdirMissingUsesCurrentDirectory",
                    "@/gone",
                    "@/x",
                    "@/h",
                    {"x", "h/.cache"},
                    {},
                    "@/gone/",
                    "ocrprn2.ini"},
        LocationRow{"TmpdirIsAFileUsesCurrentDirectory",
                    "@/file",
                    std::nullopt,
                    "@/h",
                    {"h/.cache"},
                    {"file"},
                    "@/file/",
                    "ocrprn2.ini"},
        LocationRow{
            "EmptyTmpdirFallsToXdgCache", "", "@/x", "@/h", {"x"}, {}, "@/x/", "@/x/ocrprn2.ini"},
        LocationRow{"XdgCacheWhenTmpdirUnset",
                    std::nullopt,
                    "@/x",
                    "@/h",
                    {"x", "h/.cache"},
                    {},
                    "@/x/",
                    "@/x/ocrprn2.ini"},
        LocationRow{"RelativeXdgCacheIgnored",
                    std::nullopt,
                    "x",
                    "@/h",
                    {"h/.cache"},
                    {},
                    "@/h/.cache/",
                    "@/h/.cache/ocrprn2.ini"},
        LocationRow{"HomeCacheWhenBothUnset",
                    std::nullopt,
                    std::nullopt,
                    "@/h",
                    {"h/.cache"},
                    {},
                    "@/h/.cache/",
                    "@/h/.cache/ocrprn2.ini"},
        LocationRow{"HomeCacheMissingUsesCurrentDirectory",
                    std::nullopt,
                    std::nullopt,
                    "@/h",
                    {"h"},
                    {},
                    "@/h/.cache/",
                    "ocrprn2.ini"},
        LocationRow{"NothingKnownUsesCurrentDirectory",
                    std::nullopt,
                    "",
                    std::nullopt,
                    {},
                    {},
                    "",
                    "ocrprn2.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsLocation, DecidedAnewOnEveryCallAndUsedByLoadAndSave)
{
    TempDir dir;
    fs::create_directory(dir.File("a"));
    fs::create_directory(dir.File("work"));
    const fs::path oldCwd = fs::current_path();
    fs::current_path(dir.File("work"));

    core::TPrintAdjustment adjustment;
    adjustment.HorzOffset = 4.5;
    {
        ScopedEnv tmpdir("TMPDIR", dir.File("a"));
        EXPECT_TRUE(settings::SaveSettings(adjustment));
    }
    adjustment.HorzOffset = -3;
    {
        // The temporary directory is gone: the current directory is used.
        ScopedEnv tmpdir("TMPDIR", dir.File("missing"));
        EXPECT_TRUE(settings::SaveSettings(adjustment));
        core::TPrintAdjustment loaded;
        settings::LoadSettings(loaded);
        EXPECT_EQ(loaded.HorzOffset, -3);
    }
    {
        ScopedEnv tmpdir("TMPDIR", dir.File("a"));
        core::TPrintAdjustment loaded;
        settings::LoadSettings(loaded);
        EXPECT_EQ(loaded.HorzOffset, 4.5);
    }
    fs::current_path(oldCwd);
    EXPECT_TRUE(fs::exists(dir.File("a/ocrprn2.ini")));
    EXPECT_TRUE(fs::exists(dir.File("work/ocrprn2.ini")));
}

} // namespace
