#pragma once

#include "island/IslandStress.h"
#include "support/MainExecutor.h"
#include "wings/WingsContent.h"

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace corvane {

class IslandController;

/// The island's stress test: fills the caches of first use (one opening, every demonstration
/// notice once), measures, then feeds `steps` random inputs, screen changes and notices at short
/// random intervals, closes the island at once, waits for the tear-down and measures again. Prints
/// one summary line to standard error and reports. Main thread only; `island` outlives it.
class IslandStressRun final : public QObject {
    Q_OBJECT

public:
    IslandStressRun(IslandController& island, std::shared_ptr<MainExecutor> main, std::function<void()> returnFreeMemory,
                    int steps, std::uint64_t seed, std::function<void(const StressReport&)> onDone);
    ~IslandStressRun() override;
    IslandStressRun(const IslandStressRun&) = delete;
    IslandStressRun& operator=(const IslandStressRun&) = delete;

    void start();

private:
    /// Shows the notices from `index` on, one at a time, then measures and starts the steps.
    void primeNotice(std::size_t index);
    /// Waits until the island's windows are gone and its memory is returned, then calls `next`.
    void settle(std::function<void()> next);
    void returnMemory();
    /// Polls `done` until it holds (or the wait is too long), then calls `next`.
    void waitUntil(std::function<bool()> done, std::function<void()> next);
    void poll();
    void measure(bool before);
    void step();
    void perform(const StressStep& step);
    void finish();

    IslandController& island_;
    std::shared_ptr<MainExecutor> main_;
    std::function<void()> returnFreeMemory_;
    int steps_;
    int taken_{0};
    std::vector<WingsContent> notices_;
    StressSequence sequence_;
    std::function<void(const StressReport&)> onDone_;
    StressReport report_;
    std::int64_t startedAtMs_{0};
    std::unique_ptr<TimerHandle> timer_;
    std::function<void()> settled_;
    std::function<bool()> waitDone_;
    std::function<void()> waitNext_;
    int pollsLeft_{0};
};

} // namespace corvane
