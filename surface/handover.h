#pragma once

#include <functional>

namespace surface {

// Runs work, which talks to the spooler and may wait on it for a long time, on
// a thread of its own. When the caller is the application's GUI thread, the
// windows' events are handled meanwhile (at least once, so that a click that
// came while the page was drawn is seen while the document is still open);
// anywhere else the caller simply waits. Whatever work throws is thrown here.
// When the application is told to quit meanwhile, the work still completes
// before this returns: a page is never left half handed over.
void RunOffGuiThread(const std::function<void()>& work);

} // namespace surface
