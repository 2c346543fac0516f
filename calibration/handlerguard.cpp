#include "handlerguard.h"

#include <cstdio>
#include <exception>

namespace calibration {

namespace {
HandlerRunner g_runner = nullptr;
}

void SetHandlerRunner(HandlerRunner runner)
{
    g_runner = runner;
}

void RunHandler(const std::function<void()>& handler) noexcept
{
    if (g_runner) {
        g_runner(handler);
        return;
    }
    try {
        handler();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ocrprint: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "ocrprint: unknown exception\n");
    }
}

} // namespace calibration
