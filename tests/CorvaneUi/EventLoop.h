#pragma once

#include <functional>

namespace corvane::test {

/// Runs the Qt event loop of this thread until `done` holds or `timeoutMs` pass; returns `done()`.
bool runEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000);
/// Runs the Qt event loop of this thread for `ms` milliseconds.
void runEventsFor(int ms);

} // namespace corvane::test
