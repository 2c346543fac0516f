#include "schedulerconnection.h"

#include "cupsapi.h"
#include "printererror.h"

namespace surface {

namespace {

// How often a silent scheduler is looked at against the deadline.
constexpr double PollSeconds = 0.5;

} // namespace

SchedulerConnection::SchedulerConnection() : m_deadline(std::chrono::steady_clock::now() + Budget)
{
    const CupsApi& cups = CupsApi::Get();
    const std::string host = cups.Server();
    const auto started = std::chrono::steady_clock::now();
    m_http = cups.Connect2(
        host.c_str(), cups.Port(), nullptr, AF_UNSPEC, cups.Encryption(), 1,
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Budget).count()),
        nullptr);
    if (!m_http) {
        if (std::chrono::steady_clock::now() - started >= Budget)
            ThrowSchedulerError(Name());
        return;
    }
    cups.SetTimeout(m_http, PollSeconds, &SchedulerConnection::OnTimeout, this);
}

SchedulerConnection::~SchedulerConnection()
{
    if (m_http)
        CupsApi::Get().Close(m_http);
}

int SchedulerConnection::OnTimeout(http_t*, void* self)
{
    auto* connection = static_cast<SchedulerConnection*>(self);
    if (std::chrono::steady_clock::now() < connection->m_deadline)
        return 1;
    connection->m_timedOut = true;
    return 0;
}

void SchedulerConnection::ThrowIfTimedOut() const
{
    if (m_timedOut)
        ThrowSchedulerError(Name());
}

std::string SchedulerConnection::Name()
{
    const CupsApi& cups = CupsApi::Get();
    const std::string host = cups.Server();
    if (host.empty() || host.front() == '/')
        return host;
    return host + ":" + std::to_string(cups.Port());
}

} // namespace surface
