#pragma once
#include <functional>

namespace orbis::testing {

// The application object the Qt-based ports need (offscreen, created once per test program).
void ensureQtApplication();

// Runs the Qt event loop until done() holds or timeoutMs is over; returns done().
bool processEventsUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace orbis::testing
