// The spool directories a run leaves when it is killed: the next spooled page
// removes the user's own whose process is gone, and nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files.h"
#include "scopedenv.h"
#include "spoolfile.h"

namespace {

// A process id that was in use and is not any more.
pid_t DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

std::string Named(pid_t pid)
{
    return "ocrprint-" + std::to_string(pid) + "-a1B2c3";
}

struct StaleRow
{
    const char* name;
    // Makes the entry in dir; returns its name.
    std::function<std::string(const testutil::TempDir& dir)> make;
    bool removed;
    bool needsRoot = false; // to give a directory to another user
};

// A directory as a killed run leaves it, its page still inside.
std::string SpoolDirectory(const testutil::TempDir& dir, pid_t pid)
{
    const std::string name = Named(pid);
    std::filesystem::create_directory(dir.File(name));
    ::chmod(dir.File(name).c_str(), 0700);
    testutil::WriteFileBytes(dir.File(name + "/page.pdf"), "%PDF-1.4 taxpayer");
    return name;
}

class SpoolFileStale : public ::testing::TestWithParam<StaleRow>
{
};

TEST_P(SpoolFileStale, NextPageRemovesOnlyTheDeadRunsOwn)
{
    if (GetParam().needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "only root can make another user's directory";
    const testutil::TempDir dir;
    const std::string name = GetParam().make(dir);
    const testutil::ScopedEnv tmpdir("TMPDIR", dir.Path());
    surface::SpoolFile spool;
    ASSERT_TRUE(spool.Create());
    EXPECT_EQ(!std::filesystem::exists(std::filesystem::symlink_status(dir.File(name))),
              GetParam().removed);
    // The new page's own directory names this process.
    EXPECT_NE(spool.Path().toStdString().find("/ocrprint-" + std::to_string(::getpid()) + "-"),
              std::string::npos)
        << spool.Path().toStdString();
    spool.Remove();
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SpoolFileStale,
    ::testing::Values(
        StaleRow{"DeadRun", [](const auto& dir) { return SpoolDirectory(dir, DeadPid()); }, true},
        StaleRow{"EmptyOfADeadRun",
                 [](const auto& dir) {
                     const std::string name = Named(DeadPid());
                     std::filesystem::create_directory(dir.File(name));
                     return name;
                 },
                 true},
        StaleRow{"LiveRun", [](const auto& dir) { return SpoolDirectory(dir, ::getppid()); },
                 false},
        StaleRow{"AnotherUsers",
                 [](const auto& dir) {
                     const std::string name = SpoolDirectory(dir, DeadPid());
                     if (::chown(dir.File(name).c_str(), 65534, 65534) != 0)
                         ADD_FAILURE() << "chown to nobody";
                     return name;
                 },
                 false, true},
        StaleRow{"LinkNamedLikeOne",
                 [](const auto& dir) {
                     const std::string target = SpoolDirectory(dir, DeadPid());
                     const std::string name = Named(DeadPid());
                     std::filesystem::create_directory_symlink(dir.File(target), dir.File(name));
                     return name;
                 },
                 false},
        StaleRow{"OtherName",
                 [](const auto& dir) {
                     std::filesystem::create_directory(dir.File("ocrprint-notes"));
                     return std::string("ocrprint-notes");
                 },
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
