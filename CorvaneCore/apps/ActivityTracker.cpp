#include "apps/ActivityTracker.h"

#include <algorithm>

namespace corvane {

ActivityTracker::ActivityTracker(std::shared_ptr<FrontmostWatching> watcher, Clock clock)
    : watcher_(std::move(watcher)), clock_(std::move(clock)) {}

ActivityTracker::~ActivityTracker() {
    stop();
}

void ActivityTracker::start() {
    {
        std::lock_guard guard(lock_);
        if (started_) return;
        started_ = true;
    }
    if (!watcher_) return;
    // The window-system calls run outside the lock.
    if (std::optional<std::string> front = watcher_->frontmostIdentity()) {
        std::lock_guard guard(lock_);
        current_ = std::move(front);
    }
    auto observation = watcher_->observe([this](std::optional<std::string> activated) { record(std::move(activated)); });
    std::lock_guard guard(lock_);
    observation_ = std::move(observation);
}

void ActivityTracker::stop() {
    std::unique_ptr<FrontmostWatching::Observation> ending;
    {
        std::lock_guard guard(lock_);
        ending = std::move(observation_);
        started_ = false;
    }
    // Destroyed outside the lock: the watcher thread may be waiting for it inside `record`.
    ending.reset();
}

void ActivityTracker::record(std::optional<std::string> activated) {
    std::lock_guard guard(lock_);
    const Date now = clock_();
    if (current_ && activated != current_) lastFront_[*current_] = now;
    current_ = std::move(activated);
}

std::optional<double> ActivityTracker::idleSeconds(const std::string& identity) const {
    std::lock_guard guard(lock_);
    if (current_ && *current_ == identity) return 0.0;
    const auto it = lastFront_.find(identity);
    if (it == lastFront_.end()) return std::nullopt;
    return std::max(secondsBetween(it->second, clock_()), 0.0);
}

std::optional<std::string> ActivityTracker::frontmost() const {
    std::lock_guard lock(lock_);
    return current_;
}

} // namespace corvane
