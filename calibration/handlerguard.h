#pragma once

#include <functional>

namespace calibration {

// The dialogs' handlers run through the application's error guard, which lives
// above this library: the application hands it over at start-up.
using HandlerRunner = void (*)(const std::function<void()>& handler) noexcept;
void SetHandlerRunner(HandlerRunner runner);

// Runs handler through the installed runner. Without one (a dialog made on its
// own) an escaping exception is written to the standard error stream.
void RunHandler(const std::function<void()>& handler) noexcept;

// A slot for connect() that runs object->*handler through RunHandler.
template <typename T> auto Guard(T* object, void (T::*handler)())
{
    return [object, handler] { RunHandler([object, handler] { (object->*handler)(); }); };
}

} // namespace calibration
