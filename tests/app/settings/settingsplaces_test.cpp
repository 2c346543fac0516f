// The settings file moving to the configuration directory, files another user
// could have planted, and what a save never replaces.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "files.h"
#include "scopedenv.h"
#include "settingsfile.h"
#include "settingsfile_fixture.h"

namespace {

using namespace settingstest;
using testutil::ReadFileBytes;
using testutil::ScopedEnv;
using testutil::TempDir;
using testutil::WriteFileBytes;
namespace fs = std::filesystem;

const std::string OldContent = "1\r\n2\r\n3\r\n4\r\n110\r\n210\r\n90\r\n140\r\n";
const Values OldValues = {1, 2, 3, 4, 110, 210, 90, 140};

// Every place of the settings file under one test directory: t ($TMPDIR),
// x ($XDG_CACHE_HOME), h ($HOME), c ($XDG_CONFIG_HOME), w (the current
// directory).
class Places
{
public:
    explicit Places(bool cacheVariable)
        : m_tmpdir("TMPDIR", m_dir.File("t")),
          m_cache("XDG_CACHE_HOME", cacheVariable ? std::optional(m_dir.File("x")) : std::nullopt),
          m_home("HOME", m_dir.File("h")), m_config("XDG_CONFIG_HOME", m_dir.File("c")),
          m_cwd(fs::current_path())
    {
        for (const char* sub : {"t", "x", "h/.cache", "w"})
            fs::create_directories(m_dir.File(sub));
        fs::current_path(m_dir.File("w"));
    }
    ~Places() { fs::current_path(m_cwd); }
    std::string File(const std::string& name) const { return m_dir.File(name); }

private:
    TempDir m_dir;
    ScopedEnv m_tmpdir;
    ScopedEnv m_cache;
    ScopedEnv m_home;
    ScopedEnv m_config;
    fs::path m_cwd;
};

struct MigrationRow
{
    const char* name;
    bool cacheVariable;
    std::vector<std::string> written; // old files, under the test directory
    std::string loaded;               // the one loaded
};

class Migration : public ::testing::TestWithParam<MigrationRow>
{
};

TEST_P(Migration, ReadsTheOldPlaceSavesTheNewOneAndKeepsTheOldFile)
{
    const MigrationRow& row = GetParam();
    Places places(row.cacheVariable);
    for (const std::string& file : row.written)
        WriteFileBytes(places.File(file), OldContent);

    core::TPrintAdjustment adjustment;
    const std::vector<settings::LoadResult> found = settings::LoadSettings(adjustment);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Status, settings::LoadStatus::Loaded);
    EXPECT_TRUE(fs::equivalent(found[0].Path, places.File(row.loaded)));
    EXPECT_EQ(FileOrder(adjustment), OldValues);

    adjustment.HorzOffset = -7.5;
    ASSERT_TRUE(settings::SaveSettings(adjustment));
    EXPECT_EQ(ReadFileBytes(places.File("c/ocrprint/ocrprn2.ini")),
              settings::SettingsFileContent(adjustment));
    for (const std::string& file : row.written)
        EXPECT_EQ(ReadFileBytes(places.File(file)), OldContent) << file;

    // From now on the new place is read.
    core::TPrintAdjustment again;
    settings::LoadSettings(again);
    EXPECT_EQ(again.HorzOffset, -7.5);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Migration,
    ::testing::Values(
        MigrationRow{"FromTmpdir", true, {"t/ocrprn2.ini"}, "t/ocrprn2.ini"},
        MigrationRow{"FromXdgCache", true, {"x/ocrprn2.ini"}, "x/ocrprn2.ini"},
        MigrationRow{"FromHomeCache", false, {"h/.cache/ocrprn2.ini"}, "h/.cache/ocrprn2.ini"},
        MigrationRow{"FromCurrentDirectory", true, {"w/ocrprn2.ini"}, "w/ocrprn2.ini"},
        MigrationRow{"TmpdirBeforeCacheBeforeCurrentDirectory",
                     true,
                     {"t/ocrprn2.ini", "x/ocrprn2.ini", "w/ocrprn2.ini"},
                     "t/ocrprn2.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ trust

struct TrustRow
{
    const char* name;
    std::function<void(const std::string&)> make; // changes the written file
    bool needsRoot;
    settings::LoadStatus status;
};

class Trust : public ::testing::TestWithParam<TrustRow>
{
};

TEST_P(Trust, OnlyTheUsersOwnPrivateFileIsLoaded)
{
    const TrustRow& row = GetParam();
    if (row.needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    WriteFileBytes(path, OldContent);
    ::chmod(path.c_str(), 0600);
    row.make(path);
    core::TPrintAdjustment adjustment;
    EXPECT_EQ(settings::LoadSettingsFrom(path, adjustment).Status, row.status);
    EXPECT_EQ(FileOrder(adjustment),
              row.status == settings::LoadStatus::Loaded ? OldValues : Defaults);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Trust,
    ::testing::Values(
        TrustRow{"Private", [](const std::string&) {}, false, settings::LoadStatus::Loaded},
        TrustRow{"ReadableByAll", [](const std::string& p) { ::chmod(p.c_str(), 0644); }, false,
                 settings::LoadStatus::Loaded},
        TrustRow{"WritableByGroup", [](const std::string& p) { ::chmod(p.c_str(), 0660); }, false,
                 settings::LoadStatus::WritableByOthers},
        TrustRow{"WritableByAll", [](const std::string& p) { ::chmod(p.c_str(), 0666); }, false,
                 settings::LoadStatus::WritableByOthers},
        TrustRow{"OwnedByNobody",
                 [](const std::string& p) { ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0); }, true,
                 settings::LoadStatus::NotOwned}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ what a save keeps

struct KeepRow
{
    const char* name;
    std::function<bool(const std::string&)> make;
    bool saved;
    std::function<void(const std::string&)> check;
};

class SaveKeeps : public ::testing::TestWithParam<KeepRow>
{
};

TEST_P(SaveKeeps, WhatIsAtThePath)
{
    const KeepRow& row = GetParam();
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    ASSERT_TRUE(row.make(path));
    core::TPrintAdjustment values;
    values.MeasuredA = 111;
    EXPECT_EQ(settings::SaveSettingsTo(path, values), row.saved);
    row.check(path);
    // Never a temporary left behind.
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SaveKeeps,
    ::testing::Values(
        KeepRow{"ReadOnlyFileKept",
                [](const std::string& p) {
                    WriteFileBytes(p, OldContent);
                    return ::chmod(p.c_str(), 0444) == 0;
                },
                false, [](const std::string& p) { EXPECT_EQ(ReadFileBytes(p), OldContent); }},
        KeepRow{"GroupWritableFileSavedPrivate",
                [](const std::string& p) {
                    WriteFileBytes(p, OldContent);
                    return ::chmod(p.c_str(), 0666) == 0;
                },
                true,
                [](const std::string& p) {
                    struct stat st;
                    ASSERT_EQ(::stat(p.c_str(), &st), 0);
                    EXPECT_EQ(st.st_mode & 0777, 0644u);
                }},
        KeepRow{"StaleTemporaryRemoved",
                [](const std::string& p) {
                    WriteFileBytes(p, OldContent);
                    WriteFileBytes(fs::path(p).parent_path() / ".ocrprn2.ini.tmp", "half");
                    return true;
                },
                true,
                [](const std::string& p) {
                    EXPECT_EQ(ReadFileBytes(p).substr(0, 12), "0\r\n0\r\n0\r\n0\r\n");
                }},
        KeepRow{"FifoKept", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
                false, [](const std::string& p) { EXPECT_TRUE(fs::is_fifo(p)); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
