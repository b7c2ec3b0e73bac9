#pragma once

#include "support/Executor.h"

#include <deque>
#include <functional>
#include <mutex>

namespace corvane::test {

/// Holds submitted tasks until the test runs them, so "work in flight" can be observed.
class DeferredExecutor final : public corvane::Executor {
public:
    void async(std::function<void()> task) override {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        ++submitted_;
    }
    /// Runs the tasks queued so far (and any they queue), returning how many ran.
    int runAll() {
        int ran = 0;
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(mutex_);
                if (tasks_.empty()) return ran;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
            ++ran;
        }
    }
    int pending() const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(tasks_.size());
    }
    int submitted() const {
        std::lock_guard lock(mutex_);
        return submitted_;
    }

private:
    mutable std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
    int submitted_{0};
};

} // namespace corvane::test
