#pragma once

#include <atomic>
#include <chrono>
#include <cups/cups.h>
#include <string>

namespace surface {

// One conversation with the print scheduler, bounded in time. libcups's own
// connection waits on a scheduler that takes the connection but does not
// answer (a stopped cupsd, a host that went away) for minutes, once per
// request; this one gives up when its budget is spent and says so, naming the
// scheduler.
class SchedulerConnection
{
public:
    // Every request of one conversation together takes at most this long.
    static constexpr std::chrono::seconds Budget{25};

    // Connects to the scheduler libcups is set to (CUPS_SERVER, client.conf,
    // the local socket). Throws EPrinter MsgSchedulerNotAnswering when the
    // connection is not made within the budget. A scheduler that refuses at
    // once is left to libcups, whose calls then fail at once as well.
    SchedulerConnection();
    ~SchedulerConnection();
    SchedulerConnection(const SchedulerConnection&) = delete;
    SchedulerConnection& operator=(const SchedulerConnection&) = delete;

    // The connection to pass to libcups's calls.
    http_t* Http() const { return m_http; }

    // Throws EPrinter MsgSchedulerNotAnswering when a request ran out of
    // time: then what libcups returned is no answer at all.
    void ThrowIfTimedOut() const;

    // The scheduler as the user names it: the local socket's path, or
    // host:port.
    static std::string Name();

private:
    static int OnTimeout(http_t* http, void* self);

    http_t* m_http = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
    std::atomic<bool> m_timedOut = false;
};

} // namespace surface
