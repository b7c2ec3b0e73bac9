#include "app/MachineState.h"

namespace corvane {

std::optional<bool> MachineState::set(AwayCondition condition, bool holds) {
    const bool wasSuspended = suspended();
    if (holds) {
        conditions_ |= bit(condition);
    } else {
        conditions_ &= ~bit(condition);
    }
    if (suspended() == wasSuspended) return std::nullopt;
    return suspended();
}

std::optional<bool> MachineState::setPowerSaver(bool on) {
    if (on == powerSaver_) return std::nullopt;
    powerSaver_ = on;
    return on;
}

} // namespace corvane
