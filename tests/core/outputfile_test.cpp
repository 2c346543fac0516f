// The one way output files are written: what is at the path decides, and a
// failure changes nothing there.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "outputfile.h"

namespace {

namespace fs = std::filesystem;

class Dir
{
public:
    Dir()
    {
        std::string pattern = (fs::temp_directory_path() / "ocrprint-out-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~Dir()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(File(name), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::size_t Count() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_path), {}));
    }

private:
    std::string m_path;
};

struct TargetRow
{
    const char* name;
    core::OutputKind kind;
    bool needsRoot; // lchown
    // Prepares the directory; the output is written to "out".
    std::function<void(const Dir&)> make;
    int error; // 0: written
    // What must hold afterwards.
    std::function<void(const Dir&)> check;
};

class Targets : public ::testing::TestWithParam<TargetRow>
{
};

TEST_P(Targets, AreWrittenOrLeftAlone)
{
    const TargetRow& row = GetParam();
    if (row.needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    Dir dir;
    row.make(dir);
    const std::size_t before = dir.Count();
    core::OutputFile file(row.kind);
    const bool ok = file.Open(dir.File("out")) && file.Write("new") && file.Commit();
    EXPECT_EQ(ok, row.error == 0);
    EXPECT_EQ(file.Error(), row.error) << file.Reason();
    row.check(dir);
    // No temporary is left, and no entry added but the output itself.
    EXPECT_LE(dir.Count(), before + 1);
    EXPECT_FALSE(fs::exists(core::OutputFile::TemporaryFor(dir.File("out"))));
}

void Nothing(const Dir&) {}

// A world-writable sticky directory like /tmp (owned by us) holding "out", a
// link to ../victim owned by linkOwner.
void StickyLink(const Dir& dir, uid_t linkOwner)
{
    fs::create_directory(dir.File("sticky"));
    ::chmod(dir.File("sticky").c_str(), 01777);
    dir.Write("victim", "old");
    fs::create_symlink("../victim", dir.File("sticky/out"));
    ASSERT_EQ(::lchown(dir.File("sticky/out").c_str(), linkOwner, linkOwner), 0);
    fs::create_symlink("sticky/out", dir.File("out"));
}

INSTANTIATE_TEST_SUITE_P(
    Output, Targets,
    ::testing::Values(TargetRow{"NewFile", core::OutputKind::Document, false, Nothing, 0,
                                [](const Dir& d) { EXPECT_EQ(d.Read("out"), "new"); }},
                      TargetRow{"StaleTemporaryReplaced", core::OutputKind::Document, false,
                                [](const Dir& d) {
                                    d.Write("out", "old");
                                    d.Write(".out.tmp", "stale");
                                },
                                0, [](const Dir& d) { EXPECT_EQ(d.Read("out"), "new"); }},
                      TargetRow{"LinkFollowedToItsTarget", core::OutputKind::Document, false,
                                [](const Dir& d) {
                                    d.Write("target", "old");
                                    fs::create_symlink("target", d.File("out"));
                                },
                                0,
                                [](const Dir& d) {
                                    EXPECT_TRUE(fs::is_symlink(d.File("out")));
                                    EXPECT_EQ(d.Read("target"), "new");
                                }},
                      TargetRow{"SettingsNeverFollowLinks", core::OutputKind::Settings, false,
                                [](const Dir& d) {
                                    d.Write("target", "old");
                                    fs::create_symlink("target", d.File("out"));
                                },
                                ELOOP, [](const Dir& d) { EXPECT_EQ(d.Read("target"), "old"); }},
                      TargetRow{"ReadOnlyFileKept", core::OutputKind::Document, false,
                                [](const Dir& d) {
                                    d.Write("out", "old");
                                    ::chmod(d.File("out").c_str(), 0444);
                                },
                                EACCES, [](const Dir& d) { EXPECT_EQ(d.Read("out"), "old"); }},
                      TargetRow{"DirectoryKept", core::OutputKind::Document, false,
                                [](const Dir& d) { fs::create_directory(d.File("out")); }, EISDIR,
                                [](const Dir& d) { EXPECT_TRUE(fs::is_directory(d.File("out"))); }},
                      TargetRow{"FifoWithoutReaderFailsAtOnce", core::OutputKind::Document, false,
                                [](const Dir& d) { ::mkfifo(d.File("out").c_str(), 0600); }, ENXIO,
                                [](const Dir& d) { EXPECT_TRUE(fs::is_fifo(d.File("out"))); }},
                      // fs.protected_symlinks: another user's link in a sticky world-writable
                      // directory is not followed, one of our own is.
                      TargetRow{"OthersLinkInStickyDirectoryRefused", core::OutputKind::Document,
                                true, [](const Dir& d) { StickyLink(d, 65534); }, EACCES,
                                [](const Dir& d) { EXPECT_EQ(d.Read("victim"), "old"); }},
                      TargetRow{"OwnLinkInStickyDirectoryFollowed", core::OutputKind::Document,
                                true, [](const Dir& d) { StickyLink(d, ::geteuid()); }, 0,
                                [](const Dir& d) { EXPECT_EQ(d.Read("victim"), "new"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputFile, DiscardKeepsThePreviousFile)
{
    Dir dir;
    dir.Write("out", "old");
    core::OutputFile file;
    ASSERT_TRUE(file.Open(dir.File("out")));
    ASSERT_TRUE(file.Write("half"));
    file.Discard();
    EXPECT_FALSE(file.Write("more"));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(dir.Read("out"), "old");
    EXPECT_EQ(dir.Count(), 1u);
}

TEST(OutputFile, SameFileHoweverSpelled)
{
    Dir dir;
    dir.Write("a", "x");
    dir.Write("b", "x");
    fs::create_symlink("a", dir.File("link"));
    fs::create_hard_link(dir.File("a"), dir.File("hard"));
    EXPECT_TRUE(core::IsSameFile(dir.File("a"), dir.File("./link")));
    EXPECT_TRUE(core::IsSameFile(dir.File("a"), dir.File("hard")));
    fs::create_directory(dir.File("sub"));
    EXPECT_TRUE(core::IsSameFile(dir.File("a"), dir.File("sub/../a")));
    EXPECT_FALSE(core::IsSameFile(dir.File("a"), dir.File("b")));
    EXPECT_FALSE(core::IsSameFile(dir.File("a"), dir.File("missing")));
}

} // namespace
