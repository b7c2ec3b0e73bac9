#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <functional>

namespace corvane::test {

/// Runs this thread's event loop until `done` holds or `timeoutMs` pass; returns `done()`.
inline bool runEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
        // Outside exec() deferred deletions wait for this.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

/// Runs this thread's event loop for `ms` milliseconds.
inline void runEventsFor(int ms) {
    runEventsUntil([] { return false; }, ms);
}

} // namespace corvane::test
