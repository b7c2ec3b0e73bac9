#pragma once

#include <optional>

namespace corvane {

/// A condition under which nobody is looking at the machine, so nothing needs refreshing.
enum class AwayCondition { asleep, locked, screensOff };

/// Folds the machine's sleep, lock and screen signals into one suspended state, and keeps the
/// power saver. The sources overlap (a lock comes with a screen saver and screens switched off,
/// and a wake arrives while the screen is still locked), so the machine is suspended while any
/// condition holds and only a change of that is reported: waking a locked machine does not
/// resume it. Every source of one condition reports into it; the latest report holds. Pure value,
/// not thread-safe.
class MachineState {
public:
    /// Records whether `condition` holds; the new suspended state when it changed, else absent.
    std::optional<bool> set(AwayCondition condition, bool holds);
    /// Records whether the power saver is on; the new value when it changed, else absent.
    std::optional<bool> setPowerSaver(bool on);

    bool holds(AwayCondition condition) const { return (conditions_ & bit(condition)) != 0; }
    bool suspended() const { return conditions_ != 0; }
    bool powerSaver() const { return powerSaver_; }

private:
    static unsigned bit(AwayCondition condition) { return 1U << static_cast<unsigned>(condition); }

    unsigned conditions_{0};
    bool powerSaver_{false};
};

} // namespace corvane
