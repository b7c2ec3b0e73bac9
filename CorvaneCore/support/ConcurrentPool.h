#pragma once

#include "support/Executor.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

namespace corvane {

/// A bounded pool running submitted tasks concurrently, in no promised order, on at most `width`
/// threads. Threads start on demand, one for each task no idle thread is waiting for, and a
/// thread that has waited `idleExpiry` without work ends, so an idle pool holds no thread.
/// A task blocked in I/O occupies one thread and delays nothing but the tasks behind it.
/// Destruction finishes the running tasks, drops the ones not yet started and waits for every
/// thread to end. It may happen on one of the pool's own threads (a task that held the last
/// reference): that thread ends by itself once its task returns. A task that throws is dropped
/// silently.
class ConcurrentPool final : public Executor {
public:
    /// How long an idle thread waits for work before it ends: shorter than the 25 s between the
    /// AI polls of a closed dashboard (the most frequent routine work), so that between polls an
    /// idle program holds no pool thread at all; starting the few a poll needs costs microseconds.
    /// While the dashboard is open (polls every 1 to 5 s) the threads stay.
    static constexpr std::chrono::milliseconds standardIdleExpiry{20'000};

    /// `width` 0 counts as 1. `idleExpiry` defaults to `defaultIdleExpiry()`.
    explicit ConcurrentPool(unsigned width, std::optional<std::chrono::milliseconds> idleExpiry = std::nullopt);
    ~ConcurrentPool() override;
    ConcurrentPool(const ConcurrentPool&) = delete;
    ConcurrentPool& operator=(const ConcurrentPool&) = delete;

    void async(std::function<void()> task) override;
    /// The most threads the pool runs at once.
    unsigned width() const { return width_; }
    /// The threads alive now, busy or idle.
    unsigned threadCount() const;

    /// The idle expiry of pools made without one: `CORVANE_POOL_EXPIRY_MS` (milliseconds, a
    /// positive decimal integer) when set, else `standardIdleExpiry`. Read once.
    static std::chrono::milliseconds defaultIdleExpiry();
    /// `text` as an expiry in milliseconds: a positive decimal integer of at most a day; absent
    /// for anything else (including nothing).
    static std::optional<std::chrono::milliseconds> parseIdleExpiry(const char* text);

private:
    /// Shared with every thread, so a thread outliving the pool object still has its queue.
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        std::condition_variable ended;
        std::deque<std::function<void()>> tasks;
        unsigned threads{0};
        unsigned idle{0};
        bool stopping{false};
    };
    static void run(const std::shared_ptr<State>& state, std::chrono::milliseconds idleExpiry);

    const unsigned width_;
    const std::chrono::milliseconds idleExpiry_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace corvane
