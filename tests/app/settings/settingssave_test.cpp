// Saving the settings file: the exact bytes, and saves that fail without
// losing the previous file.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files.h"
#include "settingsfile.h"
#include "settingsfile_fixture.h"

namespace {

using namespace settingstest;
using testutil::ReadFileBytes;
using testutil::TempDir;
using testutil::WriteFileBytes;
namespace fs = std::filesystem;

struct SaveRow
{
    const char* name;
    Values values; // in the order of the file's lines
    const char* bytes;
};

void PrintTo(const SaveRow& row, std::ostream* os)
{
    *os << row.name;
}

class SaveTable : public ::testing::TestWithParam<SaveRow>
{
};

TEST_P(SaveTable, WritesTheExactBytes)
{
    const SaveRow& row = GetParam();
    TempDir dir;
    ASSERT_TRUE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), FromFileOrder(row.values)));
    EXPECT_EQ(ReadFileBytes(dir.File("ocrprn2.ini")), row.bytes);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SaveTable,
    ::testing::Values(
        SaveRow{"Defaults", Defaults, "0\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n"},
        // The vertical scale comes before the horizontal one.
        SaveRow{"ScalesInFileOrder",
                {0, 0, -1, 2.5, 150, 200, 100, 150},
                "0\r\n0\r\n-1\r\n2.5\r\n150\r\n200\r\n100\r\n150\r\n"},
        SaveRow{"OffsetsAndFractions",
                {-20, 19.9, 10, -9.5, 100.25, 250, 80.5, 179.75},
                "-20\r\n19.9\r\n10\r\n-9.5\r\n100.25\r\n250\r\n80.5\r\n179.75\r\n"},
        SaveRow{"ExponentForms",
                {1e-5, -0.0001, 1e15, 123456789012345, 0.1, 1.5e-7, 2, 3},
                "1E-5\r\n-0.0001\r\n1E15\r\n123456789012345\r\n0.1\r\n1.5E-7\r\n2\r\n3\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsSave, RoundTripKeepsFifteenSignificantDigits)
{
    const Values values = {1.0 / 3,
                           -7.123456789012345,
                           1e-7,
                           123456.789012345678,
                           -9.87654321098765e20,
                           2.0 / 3e-9,
                           150.1,
                           0};
    TempDir dir;
    ASSERT_TRUE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), FromFileOrder(values)));
    core::TPrintAdjustment loaded;
    settings::LoadSettingsFrom(dir.File("ocrprn2.ini"), loaded);
    const Values got = FileOrder(loaded);
    for (std::size_t i = 0; i < values.size(); ++i) {
        char want[64];
        char have[64];
        std::snprintf(want, sizeof want, "%.14e", values[i]);
        std::snprintf(have, sizeof have, "%.14e", got[i]);
        EXPECT_STREQ(have, want) << "line " << i + 1;
    }
}

TEST(SettingsSave, ReplacesAnOlderLongerFileAndKeepsItsMode)
{
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    WriteFileBytes(path, std::string(5000, 'x'));
    ::chmod(path.c_str(), 0644);
    ASSERT_TRUE(settings::SaveSettingsTo(path, core::TPrintAdjustment{}));
    EXPECT_EQ(ReadFileBytes(path), "0\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(SettingsSave, NewFileIsPrivate)
{
    TempDir dir;
    ASSERT_TRUE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), core::TPrintAdjustment{}));
    struct stat st;
    ASSERT_EQ(::stat(dir.File("ocrprn2.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
}

// ---------------------------------------------------------------- failures

const std::string OldContent = "1\r\n2\r\n3\r\n4\r\n110\r\n210\r\n90\r\n140\r\n";

core::TPrintAdjustment NewValues()
{
    core::TPrintAdjustment a;
    a.HorzOffset = 12.5;
    a.MeasuredX = 123;
    return a;
}

TEST(SettingsSaveFailure, DirectoryMissing)
{
    TempDir dir;
    EXPECT_FALSE(settings::SaveSettingsTo(dir.File("missing/ocrprn2.ini"), NewValues()));
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(SettingsSaveFailure, DirectoryReplacedByAFile)
{
    TempDir dir;
    WriteFileBytes(dir.File("cache"), "not a directory");
    EXPECT_FALSE(settings::SaveSettingsTo(dir.File("cache/ocrprn2.ini"), NewValues()));
    EXPECT_EQ(ReadFileBytes(dir.File("cache")), "not a directory");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"cache"});
}

TEST(SettingsSaveFailure, DirectoryAtThePath)
{
    TempDir dir;
    fs::create_directory(dir.File("ocrprn2.ini"));
    WriteFileBytes(dir.File("ocrprn2.ini/inside"), "kept");
    EXPECT_FALSE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), NewValues()));
    EXPECT_TRUE(fs::is_directory(dir.File("ocrprn2.ini")));
    EXPECT_EQ(ReadFileBytes(dir.File("ocrprn2.ini/inside")), "kept");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

TEST(SettingsSaveFailure, ReadOnlyDirectory)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, which writes into read-only directories";
    TempDir dir;
    WriteFileBytes(dir.File("ocrprn2.ini"), OldContent);
    ::chmod(dir.Path().c_str(), 0555);
    EXPECT_FALSE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), NewValues()));
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(dir.File("ocrprn2.ini")), OldContent);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

TEST(SettingsSaveFailure, SymbolicLinkIsLeftAlone)
{
    TempDir dir;
    WriteFileBytes(dir.File("target.ini"), OldContent);
    fs::create_symlink("target.ini", dir.File("ocrprn2.ini"));
    EXPECT_FALSE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), NewValues()));
    ASSERT_TRUE(fs::is_symlink(dir.File("ocrprn2.ini")));
    EXPECT_EQ(fs::read_symlink(dir.File("ocrprn2.ini")), "target.ini");
    EXPECT_EQ(ReadFileBytes(dir.File("target.ini")), OldContent);
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"ocrprn2.ini", "target.ini"}));
}

TEST(SettingsSaveFailure, DanglingSymbolicLinkCreatesNothing)
{
    TempDir dir;
    fs::create_symlink(dir.File("planted.ini"), dir.File("ocrprn2.ini"));
    EXPECT_FALSE(settings::SaveSettingsTo(dir.File("ocrprn2.ini"), NewValues()));
    EXPECT_FALSE(fs::exists(dir.File("planted.ini")));
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

// Lowers the file size limit so that the real write fails part way (EFBIG
// instead of the signal), and restores it afterwards.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool Ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

TEST(SettingsSaveFailure, WriteFailingMidwayKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    WriteFileBytes(path, OldContent);
    const std::string newContent = settings::SettingsFileContent(NewValues());
    ASSERT_GT(newContent.size(), 10u);
    bool saved = true;
    {
        FileSizeLimit limit(10);
        ASSERT_TRUE(limit.Ok());
        saved = settings::SaveSettingsTo(path, NewValues());
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(path), OldContent);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

TEST(SettingsSaveFailure, AFailedSaveDoesNotStopTheNextOne)
{
    TempDir dir;
    const std::string path = dir.File("ocrprn2.ini");
    WriteFileBytes(path, OldContent);
    {
        FileSizeLimit limit(4);
        ASSERT_TRUE(limit.Ok());
        EXPECT_FALSE(settings::SaveSettingsTo(path, NewValues()));
    }
    EXPECT_TRUE(settings::SaveSettingsTo(path, NewValues()));
    EXPECT_EQ(ReadFileBytes(path), settings::SettingsFileContent(NewValues()));
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"ocrprn2.ini"});
}

} // namespace
