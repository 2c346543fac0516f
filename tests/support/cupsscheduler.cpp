#include "cupsscheduler.h"

#include "testutil.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <cups/cups.h>

extern char** environ;

namespace cupstest {

namespace {

constexpr const char* Cupsd = "/usr/sbin/cupsd";

CupsScheduler* g_scheduler = nullptr;
std::string g_skipReason = "the CUPS scheduler was not started";
std::unique_ptr<testutil::TempDir> g_tempDir;

// Registered before main() runs, so that the scheduler is up before any test.
[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CupsScheduler);

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}

std::vector<char*> Argv(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// cupsd runs its filters as lp: they must reach the spool and output files.
void GiveToLp(const std::string& path)
{
    ::chmod(path.c_str(), 0755);
    const passwd* lp = ::getpwnam("lp");
    // On failure the jobs fail, and cupsd's log says why.
    if (lp && ::chown(path.c_str(), lp->pw_uid, static_cast<gid_t>(-1)) != 0)
        return;
}

std::string Tail(const std::string& path)
{
    const std::string text = testutil::ReadFileBytes(path);
    return text.size() > 600 ? text.substr(text.size() - 600) : text;
}

} // namespace

// A minimal driver: Qt's PDF goes straight to the file device.
const char* const CupsScheduler::A4At600Ppd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "OCRT600.PPD"
*Manufacturer: "ocrprint"
*Product: "(ocrprint test)"
*ModelName: "ocrprint test 600"
*ShortNickName: "ocrprint test 600"
*NickName: "ocrprint test 600"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*DefaultResolution: 600dpi
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595.28 841.89]/ImagingBBox null>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595.28 841.89]/ImagingBBox null>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "12 12 583.28 829.89"
*ImageableArea Letter/Letter: "12 12 600 780"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595.28 841.89"
*PaperDimension Letter/Letter: "612 792"
)ppd";

// Letter by default, two resolutions to choose from, uneven margins.
const char* const CupsScheduler::LetterAt300Ppd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "OCRT300.PPD"
*Manufacturer: "ocrprint"
*Product: "(ocrprint test)"
*ModelName: "ocrprint test 300"
*ShortNickName: "ocrprint test 300"
*NickName: "ocrprint test 300"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 20 AnySetup *Resolution
*DefaultResolution: 300dpi
*Resolution 300dpi/300 DPI: "<</HWResolution[300 300]>>setpagedevice"
*Resolution 600dpi/600 DPI: "<</HWResolution[600 600]>>setpagedevice"
*CloseUI: *Resolution
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Letter
*PageSize A4/A4: "<</PageSize[595.28 841.89]/ImagingBBox null>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Letter
*PageRegion A4/A4: "<</PageSize[595.28 841.89]/ImagingBBox null>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea A4/A4: "24 36 577.28 811.89"
*ImageableArea Letter/Letter: "24 36 594 762"
*DefaultPaperDimension: Letter
*PaperDimension A4/A4: "595.28 841.89"
*PaperDimension Letter/Letter: "612 792"
)ppd";

CupsScheduler* CupsScheduler::Get()
{
    return g_scheduler;
}

const std::string& CupsScheduler::SkipReason()
{
    return g_skipReason;
}

void CupsScheduler::SetUp()
{
    std::string why;
    if (Start(why)) {
        g_scheduler = this;
        RestoreQueues();
    } else {
        g_skipReason = why;
        Stop();
    }
}

void CupsScheduler::TearDown()
{
    g_scheduler = nullptr;
    Stop();
}

bool CupsScheduler::Start(std::string& why)
{
    if (::geteuid() != 0) {
        why = "the private CUPS scheduler needs root (cupsd runs its filters as lp)";
        return false;
    }
    if (::access(Cupsd, X_OK) != 0) {
        why = std::string(Cupsd) + " is not installed";
        return false;
    }
    m_port = FreePort();
    if (m_port == 0) {
        why = "no free TCP port on 127.0.0.1";
        return false;
    }
    g_tempDir = std::make_unique<testutil::TempDir>();
    m_dir = g_tempDir->Path();
    GiveToLp(m_dir);
    for (const char* sub : {"conf", "spool", "cache", "state", "tmp", "log", "out", "ppd"}) {
        std::filesystem::create_directory(m_dir + "/" + sub);
        GiveToLp(m_dir + "/" + sub);
    }
    testutil::WriteFileBytes(m_dir + "/conf/cupsd.conf",
                             "LogLevel info\n"
                             "Listen 127.0.0.1:" +
                                 std::to_string(m_port) +
                                 "\n"
                                 "Browsing No\n"
                                 "WebInterface No\n"
                                 "DefaultAuthType None\n"
                                 "MaxJobs 0\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                 "  </Limit>\n</Policy>\n");
    testutil::WriteFileBytes(m_dir + "/conf/cups-files.conf", "ServerRoot " + m_dir +
                                                                  "/conf\n"
                                                                  "RequestRoot " +
                                                                  m_dir +
                                                                  "/spool\n"
                                                                  "CacheDir " +
                                                                  m_dir +
                                                                  "/cache\n"
                                                                  "StateDir " +
                                                                  m_dir +
                                                                  "/state\n"
                                                                  "TempDir " +
                                                                  m_dir +
                                                                  "/tmp\n"
                                                                  "ErrorLog " +
                                                                  m_dir +
                                                                  "/log/error_log\n"
                                                                  "AccessLog " +
                                                                  m_dir +
                                                                  "/log/access_log\n"
                                                                  "PageLog " +
                                                                  m_dir +
                                                                  "/log/page_log\n"
                                                                  "FileDevice Yes\n"
                                                                  "Sandboxing Relaxed\n"
                                                                  "SystemGroup root\n");

    // libcups keeps the first server it sees: point it here before anything
    // else in this process asks, and keep the system's client settings out.
    ::setenv("CUPS_SERVER", Server().c_str(), 1);
    ::setenv("CUPS_SERVERROOT", (m_dir + "/conf").c_str(), 1);
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
    cupsSetServer(Server().c_str());

    return Launch(why);
}

bool CupsScheduler::Launch(std::string& why)
{
    const std::string log = m_dir + "/log/cupsd.out";
    std::vector<std::string> args{
        Cupsd, "-f", "-c", m_dir + "/conf/cupsd.conf", "-s", m_dir + "/conf/cups-files.conf"};
    std::vector<char*> argv = Argv(args);
    m_pid = ::fork();
    if (m_pid == 0) {
        // The scheduler goes with the test program, even when that crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            ::dup2(fd, 1);
            ::dup2(fd, 2);
        }
        ::execv(Cupsd, argv.data());
        ::_exit(127);
    }
    if (m_pid < 0) {
        why = std::string("cannot run cupsd: ") + std::strerror(errno);
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            why = "cupsd exited at start: " + Tail(log) + Tail(m_dir + "/log/error_log");
            return false;
        }
        http_t* http = httpConnect2("127.0.0.1", m_port, nullptr, AF_INET,
                                    HTTP_ENCRYPTION_IF_REQUESTED, 1, 200, nullptr);
        if (http) {
            httpClose(http);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    why = "cupsd did not answer within 30 s: " + Tail(m_dir + "/log/error_log");
    return false;
}

bool CupsScheduler::Signal(int signal) const
{
    return m_pid > 0 && ::kill(m_pid, signal) == 0;
}

bool CupsScheduler::Restart()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
    std::string why;
    if (!Launch(why))
        return false;
    // This process's connection went with the old scheduler.
    cupsSetServer(Server().c_str());
    RestoreQueues();
    return true;
}

void CupsScheduler::Stop()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
    g_tempDir.reset();
}

std::string CupsScheduler::Server() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

std::string CupsScheduler::OutputFile(const std::string& queue) const
{
    return m_dir + "/out/" + queue + ".pdf";
}

bool CupsScheduler::Lpadmin(std::vector<std::string> args) const
{
    args.insert(args.begin(), {"lpadmin", "-h", Server()});
    bool ok = false;
    RunProgram(args, ok);
    return ok;
}

bool CupsScheduler::CreateQueue(const std::string& name, const std::string& ppdText)
{
    const std::string ppd = m_dir + "/ppd/" + name + ".ppd";
    testutil::WriteFileBytes(ppd, ppdText);
    return Lpadmin({"-p", name, "-E", "-v", "file://" + OutputFile(name), "-P", ppd});
}

bool CupsScheduler::DeleteQueue(const std::string& name)
{
    return Lpadmin({"-x", name});
}

bool CupsScheduler::SetDefault(const std::string& name)
{
    return Lpadmin({"-d", name});
}

void CupsScheduler::RestoreQueues()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::map<std::string, bool> present;
    for (int i = 0; i < count; ++i)
        present[dests[i].name] = true;
    cupsFreeDests(count, dests);
    if (!present["ocrtest"])
        CreateQueue("ocrtest", A4At600Ppd);
    if (!present["ocr300"])
        CreateQueue("ocr300", LetterAt300Ppd);
    // What lpoptions would write, without the "Default" line it adds, which
    // would outlive the scheduler's own default.
    testutil::WriteFileBytes(m_dir + "/conf/lpoptions", "Dest ocr300/fine Resolution=600dpi\n");
    SetDefault("ocrtest");
}

int CupsScheduler::LastJobId() const
{
    int last = 0;
    for (const auto& [id, name] : Jobs())
        last = std::max(last, id);
    return last;
}

std::map<int, std::string> CupsScheduler::Jobs() const
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    std::map<int, std::string> result;
    for (int i = 0; i < count; ++i)
        result[jobs[i].id] = jobs[i].title ? jobs[i].title : "";
    cupsFreeJobs(count, jobs);
    return result;
}

int CupsScheduler::WaitForJob(int afterId, int timeoutSeconds) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
        int found = 0;
        for (int i = 0; i < count; ++i) {
            if (jobs[i].id > afterId && jobs[i].state >= IPP_JSTATE_CANCELED &&
                (found == 0 || jobs[i].id < found))
                found = jobs[i].id;
        }
        cupsFreeJobs(count, jobs);
        if (found != 0)
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

std::map<std::string, std::string> CupsScheduler::JobAttributes(int jobId) const
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", m_port,
                     "/jobs/%d", jobId);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    std::map<std::string, std::string> attributes;
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        if (!ippGetName(a))
            continue;
        char value[2048];
        ippAttributeString(a, value, sizeof value);
        attributes[ippGetName(a)] = value;
    }
    ippDelete(response);
    return attributes;
}

void CupsTest::SetUp()
{
    if (!CupsScheduler::Get())
        GTEST_SKIP() << CupsScheduler::SkipReason();
}

std::string RunProgram(const std::vector<std::string>& args, bool& ok)
{
    ok = false;
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = Argv(args);
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string out;
    if (rc == 0) {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0)
                out.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fds[0]);
    if (rc != 0)
        return out;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return out;
}

} // namespace cupstest
