#include "memory/PressureMonitor.h"

namespace corvane {

PressureLevel PressureMonitor::level(PressureEventFlags flags) {
    if (flags.critical) return PressureLevel::critical;
    if (flags.warning) return PressureLevel::elevated;
    return PressureLevel::normal;
}

bool PressureMonitor::isMonitoring() const {
    std::lock_guard lock(mutex_);
    return source_ != nullptr;
}

} // namespace corvane
