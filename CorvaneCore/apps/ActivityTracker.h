#pragma once

#include "apps/FrontmostWatching.h"
#include "support/Clock.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace corvane {

/// Remembers when each application last stopped being front-most, for idle times. History lives
/// in memory only. All operations are thread-safe (one lock, never held across window-system I/O).
class ActivityTracker {
public:
    /// Empty history, no current application. `watcher` may be null (then `start` only marks the
    /// tracker as started and history comes from `record` calls).
    explicit ActivityTracker(std::shared_ptr<FrontmostWatching> watcher = nullptr, Clock clock = systemClock());
    ~ActivityTracker();
    ActivityTracker(const ActivityTracker&) = delete;
    ActivityTracker& operator=(const ActivityTracker&) = delete;

    /// Records the front-most application and begins observing activations; a second call does nothing.
    void start();
    /// Stops observing; also done by the destructor.
    void stop();
    /// The application `identity` (absent: none) became front-most.
    void record(std::optional<std::string> activated);
    /// 0 while front-most, seconds since it was left, or absent when it has not been front-most
    /// since tracking began.
    std::optional<double> idleSeconds(const std::string& identity) const;
    /// The identity of the application front-most now, when known.
    std::optional<std::string> frontmost() const;

private:
    std::shared_ptr<FrontmostWatching> watcher_;
    Clock clock_;
    mutable std::mutex lock_;
    std::map<std::string, Date> lastFront_;
    std::optional<std::string> current_;
    bool started_{false};
    std::unique_ptr<FrontmostWatching::Observation> observation_;
};

} // namespace corvane
