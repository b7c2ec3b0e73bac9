#pragma once

namespace corvane {

/// Interval and leeway, in seconds, of one repeating timer.
struct TimerSpec {
    double interval{};
    double leeway{};

    bool operator==(const TimerSpec&) const = default;
};

/// The refresh timers for one state: short while the dashboard is open, long while it is
/// closed, both intervals doubled in low-power mode (leeways unchanged).
struct TimerPlan {
    TimerSpec memory;
    TimerSpec ai;

    bool operator==(const TimerPlan&) const = default;
};

TimerPlan timerPlan(bool islandOpen, bool lowPowerMode);

} // namespace corvane
