// The dialogs' handlers run through the installed runner, which shows what
// they throw; without one the error goes to standard error.
#include <functional>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "handlerguard.h"

namespace {

int g_runnerCalls = 0;
void CountingRunner(const std::function<void()>& handler) noexcept
{
    ++g_runnerCalls;
    try {
        handler();
    } catch (...) {
    }
}

struct Handlers
{
    int Runs = 0;
    void Throws()
    {
        ++Runs;
        throw std::runtime_error("measurement failed");
    }
};

TEST(HandlerGuard, GoesThroughTheInstalledRunner)
{
    calibration::SetHandlerRunner(&CountingRunner);
    Handlers handlers;
    auto slot = calibration::Guard(&handlers, &Handlers::Throws);
    slot();
    slot();
    calibration::SetHandlerRunner(nullptr);
    EXPECT_EQ(handlers.Runs, 2);
    EXPECT_EQ(g_runnerCalls, 2);
}

TEST(HandlerGuard, WithoutARunnerTheErrorGoesToStandardError)
{
    calibration::SetHandlerRunner(nullptr);
    Handlers handlers;
    testing::internal::CaptureStderr();
    calibration::Guard(&handlers, &Handlers::Throws)();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(handlers.Runs, 1);
    EXPECT_NE(err.find("measurement failed"), std::string::npos) << err;
}

} // namespace
