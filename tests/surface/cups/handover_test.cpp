// ocrprint-cli against the private scheduler when the hand-over goes wrong:
// a queue that refuses jobs, a scheduler that dies or is frozen while the page
// is on its way, the program ended by a signal meanwhile. The moments are
// caught, not timed: the spool directory appears when the page is begun, its
// file is written and closed when the page is complete.
#include "cupsscheduler.h"

#include "testutil.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace cupstest {
namespace {

// What the test does once the page is complete and the scheduler frozen.
enum class AtHandOver
{
    Nothing,         // the scheduler stays up
    KillScheduler,   // SIGKILL to the frozen scheduler
    StayFrozen,      // the scheduler stays stopped until the program ends
    TerminateProgram // SIGTERM to ocrprint-cli
};

struct HandOverRow
{
    const char* Name;
    const char* Queue;
    bool Reject; // the queue refuses jobs (cupsreject)
    AtHandOver Action;
    int ExitCode;     // -1: ended by SIGTERM
    const char* Said; // how standard error begins, UTF-8
};

void PrintTo(const HandOverRow& row, std::ostream* os)
{
    *os << row.Name;
}

struct Finished
{
    int Status = 0;
    std::string Out;
    std::string Err;
};

// Waits for the next inotify event on fd that has every bit of mask and
// returns the name it carries; empty after a minute without one.
std::string NextCreated(int fd, std::uint32_t mask)
{
    alignas(inotify_event) char buffer[4096];
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, 60000) > 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if ((event->mask & mask) == mask && event->len > 0)
                return event->name;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return {};
}

class HandOverTest : public CupsTest, public ::testing::WithParamInterface<HandOverRow>
{
protected:
    // A declaration with many entries: drawing it takes a while, in which the
    // test freezes the scheduler.
    std::string LongData() const
    {
        const std::string sample =
            testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn");
        std::string data;
        for (int i = 0; i < 40; ++i)
            data += sample;
        const std::string path = m_dir.File("ocrdat.prn");
        testutil::WriteFileBytes(path, data);
        return path;
    }

    // Runs ocrprint-cli print on queue; at the moments above, does what the
    // row says.
    Finished Run(const HandOverRow& row)
    {
        const std::string spool = m_dir.File("tmp");
        std::filesystem::create_directory(spool);
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ::inotify_add_watch(watch, spool.c_str(), IN_CREATE);

        const std::string out = m_dir.File("out.txt");
        const std::string err = m_dir.File("err.txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT, 0644);
        const std::string program = testutil::BinDir() + "/ocrprint-cli";
        const std::string data = LongData();
        const std::string settings = testutil::DefaultSettings(m_dir.File("none.ini"));
        std::vector<std::string> args{program,  "print", "--printer",  row.Queue,
                                      "--data", data,    "--settings", settings};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        // Qt puts its runtime directory under TMPDIR unless told where it is.
        const std::string runtime = m_dir.File("run");
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        std::vector<std::string> env{"TMPDIR=" + spool, "LANG=C.UTF-8",
                                     "XDG_RUNTIME_DIR=" + runtime};
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "TMPDIR=", 7) != 0 && std::strncmp(*e, "LANG=", 5) != 0 &&
                std::strncmp(*e, "XDG_RUNTIME_DIR=", 16) != 0)
                env.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_t pid = -1;
        const int rc =
            ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(rc, 0);

        if (rc == 0 && row.Action != AtHandOver::Nothing) {
            // The page is begun: from now on the program asks the scheduler
            // nothing until it hands the page over.
            const std::string directory = NextCreated(watch, IN_CREATE | IN_ISDIR);
            EXPECT_FALSE(directory.empty()) << "no spool directory appeared";
            Scheduler().Signal(SIGSTOP);
            m_frozen = true;
            if (!directory.empty()) {
                ::inotify_add_watch(watch, (spool + "/" + directory).c_str(), IN_CLOSE_WRITE);
                // The page is complete: the hand-over waits on the frozen
                // scheduler.
                EXPECT_FALSE(NextCreated(watch, IN_CLOSE_WRITE).empty());
            }
            if (row.Action == AtHandOver::KillScheduler) {
                Scheduler().Signal(SIGKILL);
                m_restart = true;
            } else if (row.Action == AtHandOver::TerminateProgram) {
                ::kill(pid, SIGTERM);
            }
        }
        ::close(watch);
        Finished finished;
        while (rc == 0 && ::waitpid(pid, &finished.Status, 0) < 0 && errno == EINTR) {
        }
        Thaw();
        finished.Out = testutil::ReadFileBytes(out);
        finished.Err = testutil::ReadFileBytes(err);
        EXPECT_TRUE(std::filesystem::is_empty(spool)) << "the spool file or its directory is left";
        return finished;
    }

    void Thaw()
    {
        if (m_restart)
            EXPECT_TRUE(Scheduler().Restart()) << "the scheduler did not come back";
        else if (m_frozen)
            Scheduler().Signal(SIGCONT);
        m_restart = m_frozen = false;
    }

    void TearDown() override { Thaw(); }

    testutil::TempDir m_dir;
    bool m_frozen = false;
    bool m_restart = false;
};

TEST_P(HandOverTest, SpoolersAnswerIsReported)
{
    const HandOverRow& row = GetParam();
    if (row.Reject) {
        ASSERT_TRUE(Scheduler().CreateQueue(row.Queue, CupsScheduler::A4At600Ppd));
        bool ok = false;
        RunProgram({"cupsreject", "-h", Scheduler().Server(), row.Queue}, ok);
        ASSERT_TRUE(ok) << "cupsreject failed";
    }
    const int before = Scheduler().LastJobId();
    const Finished finished = Run(row);
    if (row.ExitCode < 0) {
        ASSERT_TRUE(WIFSIGNALED(finished.Status)) << finished.Err;
        EXPECT_EQ(WTERMSIG(finished.Status), SIGTERM);
    } else {
        ASSERT_TRUE(WIFEXITED(finished.Status));
        EXPECT_EQ(WEXITSTATUS(finished.Status), row.ExitCode) << finished.Err;
    }
    EXPECT_EQ(finished.Out, "") << "standard output carries only data";
    if (row.ExitCode == 0) {
        const int job = Scheduler().WaitForJob(before);
        ASSERT_NE(job, 0);
        EXPECT_EQ(finished.Err, "ocrprint-cli: request id is " + std::string(row.Queue) + "-" +
                                    std::to_string(job) + " (1 file(s))\n");
    } else if (row.Said) {
        // The queue and, after the colon, the spooler's own reason.
        EXPECT_EQ(finished.Err.rfind(row.Said, 0), 0u) << finished.Err;
        EXPECT_GT(finished.Err.size(), std::string(row.Said).size() + 2) << "no reason given";
    }
    if (row.Reject)
        Scheduler().DeleteQueue(row.Queue);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandOverTest,
    ::testing::Values(HandOverRow{"Accepted", "ocrtest", false, AtHandOver::Nothing, 0, nullptr},
                      HandOverRow{"QueueRejectsJobs", "ocrrefuse", true, AtHandOver::Nothing, 1,
                                  "ocrprint-cli: プリンタ ocrrefuse に印刷できませんでした: "},
                      HandOverRow{"SchedulerKilledAtHandOver", "ocrtest", false,
                                  AtHandOver::KillScheduler, 1,
                                  "ocrprint-cli: プリンタ ocrtest に印刷できませんでした: "},
                      // Bounded: the program gives up on it, naming it.
                      HandOverRow{"SchedulerStoppedAtHandOver", "ocrtest", false,
                                  AtHandOver::StayFrozen, 1,
                                  "ocrprint-cli: 印刷スケジューラが応答しません: "},
                      HandOverRow{"TerminatedDuringHandOver", "ocrtest", false,
                                  AtHandOver::TerminateProgram, -1, nullptr}),
    [](const ::testing::TestParamInfo<HandOverRow>& info) { return std::string(info.param.Name); });

} // namespace
} // namespace cupstest
