// The settings file moving to the configuration directory, files another user
// could have planted, and what a save never replaces.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
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
    std::string loaded;               // the one loaded; empty: none
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
    const settings::SettingsChoice choice = settings::LoadSettings(adjustment);
    if (row.loaded.empty()) {
        EXPECT_FALSE(choice.Loaded());
        EXPECT_EQ(FileOrder(adjustment), Defaults);
    } else {
        ASSERT_TRUE(choice.Loaded());
        EXPECT_TRUE(fs::equivalent(choice.Used().Path, places.File(row.loaded)));
        EXPECT_EQ(FileOrder(adjustment), OldValues);
    }

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
    ::testing::Values(MigrationRow{"FromTmpdir", true, {"t/ocrprn2.ini"}, "t/ocrprn2.ini"},
                      // Only the one file the earlier release read: while $TMPDIR exists,
                      // neither the cache nor the current directory.
                      MigrationRow{"TmpdirOnly",
                                   true,
                                   {"t/ocrprn2.ini", "x/ocrprn2.ini", "w/ocrprn2.ini"},
                                   "t/ocrprn2.ini"},
                      MigrationRow{"CacheAndCurrentDirectoryNotSearched",
                                   false,
                                   {"h/.cache/ocrprn2.ini", "w/ocrprn2.ini"},
                                   ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ trust

// A group other accounts are in: one listing members, or another account's
// primary group; nullopt when this system has none the user may give a file.
std::optional<gid_t> SharedGroup()
{
    const gid_t own = ::getegid();
    std::optional<gid_t> found;
    ::setgrent();
    while (const struct group* g = ::getgrent())
        if (g->gr_gid != own && g->gr_mem && g->gr_mem[0] && !found)
            found = g->gr_gid;
    ::endgrent();
    if (!found)
        if (const struct passwd* nobody = ::getpwnam("nobody"); nobody && nobody->pw_gid != own)
            found = nobody->pw_gid;
    return found;
}

// Changes the written file; returns why the row cannot be set up here, or "".
using Make = std::function<std::string(const std::string&)>;

Make Mode(mode_t mode)
{
    return [mode](const std::string& p) {
        ::chmod(p.c_str(), mode);
        return std::string();
    };
}

struct TrustRow
{
    const char* name;
    Make make;
    settings::LoadStatus status;
};

class Trust : public ::testing::TestWithParam<TrustRow>
{
};

TEST_P(Trust, OnlyWhatNoOneElseCouldHaveWrittenIsLoaded)
{
    const TrustRow& row = GetParam();
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    WriteFileBytes(path, OldContent);
    ::chmod(path.c_str(), 0600);
    if (const std::string why = row.make(path); !why.empty())
        GTEST_SKIP() << why;
    core::TPrintAdjustment adjustment;
    EXPECT_EQ(settings::LoadSettingsFrom(path, adjustment).Status, row.status);
    EXPECT_EQ(FileOrder(adjustment),
              row.status == settings::LoadStatus::Loaded ? OldValues : Defaults);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Trust,
    ::testing::Values(
        TrustRow{"Private", Mode(0600), settings::LoadStatus::Loaded},
        TrustRow{"ReadableByAll", Mode(0644), settings::LoadStatus::Loaded},
        TrustRow{"GroupWritableInTheUsersPrivateGroup",
                 [](const std::string& p) {
                     ::chmod(p.c_str(), 0664);
                     return settings::UserPrivateGroup(::geteuid(), ::getegid())
                                ? std::string()
                                : std::string("the user's primary group is shared here");
                 },
                 settings::LoadStatus::Loaded},
        TrustRow{"GroupWritableInASharedGroup",
                 [](const std::string& p) {
                     const std::optional<gid_t> shared = SharedGroup();
                     if (!shared || ::chown(p.c_str(), ::geteuid(), *shared) != 0)
                         return std::string("no group with other accounts to give the file to");
                     ::chmod(p.c_str(), 0664);
                     return std::string();
                 },
                 settings::LoadStatus::WritableByOthers},
        TrustRow{"WritableByAll", Mode(0666), settings::LoadStatus::WritableByOthers},
        TrustRow{"OwnedByNobody",
                 [](const std::string& p) {
                     return ::chown(p.c_str(), 65534, 65534) == 0
                                ? std::string()
                                : std::string("giving a file to another user needs root");
                 },
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
