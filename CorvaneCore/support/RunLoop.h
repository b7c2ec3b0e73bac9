#pragma once

#include "support/MainExecutor.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace corvane {

/// A plain main executor for headless use: `run` executes submitted tasks and due timers on the
/// calling thread until `stop`. `async` and `stop` are safe from any thread (and from a signal
/// thread); timers are created and cancelled on the loop's thread. Timers fire on the monotonic
/// clock; `now` is the wall clock.
class RunLoop final : public MainExecutor {
public:
    RunLoop();
    ~RunLoop() override;
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    void async(std::function<void()> task) override;
    Date now() const override;
    std::unique_ptr<TimerHandle> after(double delaySeconds, std::function<void()> action) override;
    std::unique_ptr<TimerHandle> every(double intervalSeconds, double leewaySeconds,
                                       std::function<void()> action) override;

    /// Runs until `stop` is called; returns at once when it already was.
    void run();
    void stop();

private:
    struct State;
    class Handle;

    std::shared_ptr<State> state_;
};

} // namespace corvane
