#pragma once

#include "support/Clock.h"
#include "support/DeferredExecutor.h"
#include "support/MainExecutor.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace corvane::test {

/// A main executor on virtual time: nothing runs until the test calls `runUntilIdle` or
/// `advance`, so intervals, cool-downs and deadlines are checked without sleeping.
/// `async` is safe from any thread; everything else belongs to the test's thread.
class ManualExecutor final : public corvane::MainExecutor {
public:
    explicit ManualExecutor(Date start = dateFromUnixSeconds(1'800'000'000));

    void async(std::function<void()> task) override;
    Date now() const override;
    std::unique_ptr<TimerHandle> after(double delaySeconds, std::function<void()> action) override;
    std::unique_ptr<TimerHandle> every(double intervalSeconds, double leewaySeconds,
                                       std::function<void()> action) override;

    /// Runs queued tasks until none is left; returns how many ran.
    int runUntilIdle();
    /// Moves virtual time forward by `seconds`, firing due timers in time order (each at its
    /// due time) and running the queued tasks after each firing.
    void advance(double seconds);
    /// Timers not yet cancelled or spent.
    int activeTimers() const;
    /// A clock that reads this executor's virtual time; valid while the executor lives.
    Clock clock() const;

private:
    struct Timer {
        Date due;
        double interval; // 0 for a one-shot timer
        double leeway;
        std::function<void()> action;
    };
    class Handle;

    void cancel(std::uint64_t id);

    DeferredExecutor tasks_;
    mutable std::mutex mutex_; // guards now_, timers_ and nextId_
    Date now_;
    std::map<std::uint64_t, Timer> timers_;
    std::uint64_t nextId_{1};
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace corvane::test
