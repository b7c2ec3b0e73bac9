#pragma once

#include "support/MainExecutor.h"

#include <QObject>
#include <QPointer>
#include <Qt>

#include <memory>

namespace corvane {

/// The timer type that keeps a repeating timer within its allowed leeway: coarse timers (which
/// Qt lets drift by up to 5% of the interval, batching wake-ups) when that drift is allowed,
/// precise timers otherwise.
Qt::TimerType timerTypeFor(double intervalSeconds, double leewaySeconds);

/// The main executor on the Qt event loop of the thread that constructs it (the user-interface
/// thread). Work posted with `async` from any thread runs there in posting order per thread;
/// work still queued when the executor is destroyed is dropped. Timers are created, fire and
/// are cancelled on that thread; a handle may outlive the executor.
class QtMainExecutor final : public MainExecutor {
public:
    QtMainExecutor();
    ~QtMainExecutor() override;
    QtMainExecutor(const QtMainExecutor&) = delete;
    QtMainExecutor& operator=(const QtMainExecutor&) = delete;

    void async(std::function<void()> task) override;
    Date now() const override;
    std::unique_ptr<TimerHandle> after(double delaySeconds, std::function<void()> action) override;
    std::unique_ptr<TimerHandle> every(double intervalSeconds, double leewaySeconds,
                                       std::function<void()> action) override;

private:
    std::unique_ptr<TimerHandle> startTimer(double intervalSeconds, Qt::TimerType type, bool once,
                                            std::function<void()> action);

    // Queued work and timers belong to this object: destroying it drops both.
    std::unique_ptr<QObject> context_;
};

} // namespace corvane
