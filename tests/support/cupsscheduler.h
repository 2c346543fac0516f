#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace cupstest {

// A private CUPS scheduler for the whole test program: Debian's cupsd in the
// foreground with its own configuration, spool and logs under a temporary
// directory, listening on a free port of 127.0.0.1. It points the process's
// libcups at itself before anything else talks to CUPS, and offers two queues
// that write what they receive, Qt's PDF byte for byte, to files:
//   "ocrtest": A4, 600 dpi, 12 pt margins all round (100 dots);
//   "ocr300":  Letter, Resolution 300dpi (default) or 600dpi, margins left 24,
//              top 30, right 18, bottom 36 pt;
//   "ocr300/fine": an instance of "ocr300" whose own options choose 600dpi.
// "ocrtest" is the default printer.
class CupsScheduler : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

    // The running scheduler, or nullptr with the reason in SkipReason().
    static CupsScheduler* Get();
    static const std::string& SkipReason();

    std::string Server() const; // "127.0.0.1:PORT"

    // lpadmin against this scheduler; false when it fails.
    bool CreateQueue(const std::string& name, const std::string& ppdText);
    bool DeleteQueue(const std::string& name);
    bool SetDefault(const std::string& name);
    // Brings back the two standard queues, the instance and the default after
    // a test that removed them.
    void RestoreQueues();

    // Sends signal to the scheduler (SIGSTOP freezes it, SIGCONT thaws it).
    bool Signal(int signal) const;
    // Kills the scheduler and starts it again on the same port and spool,
    // with the standard queues; false when it does not come back.
    bool Restart();

    // The file the named queue writes its jobs to.
    std::string OutputFile(const std::string& queue) const;

    // The highest job id the scheduler knows, 0 for none.
    int LastJobId() const;
    // All jobs the scheduler still lists, with their names.
    std::map<int, std::string> Jobs() const;
    // Waits for the first job after afterId to reach a final state; its id, or
    // 0 when none did within timeoutSeconds.
    int WaitForJob(int afterId, int timeoutSeconds = 60) const;
    // Get-Job-Attributes: every attribute as text, "name" -> "value".
    std::map<std::string, std::string> JobAttributes(int jobId) const;

    static const char* const A4At600Ppd;
    static const char* const LetterAt300Ppd;

private:
    bool Start(std::string& why);
    bool Launch(std::string& why);
    void Stop();
    bool Lpadmin(std::vector<std::string> args) const;

    std::string m_dir;
    int m_port = 0;
    pid_t m_pid = -1;
};

// Base of the tests that need the scheduler: skips when it could not start.
class CupsTest : public ::testing::Test
{
protected:
    void SetUp() override;
    CupsScheduler& Scheduler() { return *CupsScheduler::Get(); }
};

// Runs a program and returns its standard output; ok tells whether it ran and
// exited with 0.
std::string RunProgram(const std::vector<std::string>& argv, bool& ok);

} // namespace cupstest
