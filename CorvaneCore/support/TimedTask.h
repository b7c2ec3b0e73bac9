#pragma once

#include "support/Executor.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace corvane {

/// The monotonic instant `seconds` from now.
inline std::chrono::steady_clock::time_point deadlineAfter(double seconds) {
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

/// One piece of background work whose result a waiter takes only until a deadline. The work
/// keeps running after a waiter gave up; its late result is then never read. Any number of
/// threads may wait. A work function that throws yields no result.
template <class T>
class TimedTask {
public:
    using Work = std::function<std::optional<T>()>;

    /// What a wait found.
    struct Outcome {
        /// The work had ended by the deadline (so an absent value means it yielded nothing).
        bool finished{false};
        std::optional<T> value;
    };

    /// Starts `work` on `executor` at once.
    static std::shared_ptr<TimedTask> start(Executor& executor, Work work) {
        auto task = std::shared_ptr<TimedTask>(new TimedTask());
        executor.async([task, work = std::move(work)] {
            std::optional<T> result;
            try {
                result = work();
            } catch (...) {
                result.reset();
            }
            {
                std::lock_guard lock(task->lock_);
                task->value_ = std::move(result);
                task->done_ = true;
            }
            task->finished_.notify_all();
        });
        return task;
    }

    /// The work's result once it has finished, waiting at most until `deadline` (monotonic).
    /// Absent on timeout or when the work yielded nothing.
    std::optional<T> wait(std::chrono::steady_clock::time_point deadline) { return waitForOutcome(deadline).value; }

    /// Like `wait`, telling a work that yielded nothing from one that had not finished in time.
    Outcome waitForOutcome(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock lock(lock_);
        if (!finished_.wait_until(lock, deadline, [this] { return done_; })) return {};
        return {true, value_};
    }

    /// The work's result, waiting as long as it takes. Only for work that bounds its own waits.
    std::optional<T> wait() {
        std::unique_lock lock(lock_);
        finished_.wait(lock, [this] { return done_; });
        return value_;
    }

private:
    TimedTask() = default;

    std::mutex lock_;
    std::condition_variable finished_;
    bool done_{false};
    std::optional<T> value_;
};

} // namespace corvane
