#include "app/AlertRules.h"

namespace corvane::AlertRules {

bool pressureLevelAlerts(std::optional<PressureLevel> previous, PressureLevel level, bool isMock) {
    if (!previous) return isMock && level != PressureLevel::normal;
    if (level == PressureLevel::normal || level == *previous) return false;
    return !(*previous == PressureLevel::critical && level == PressureLevel::elevated);
}

bool shouldAlertDisk(std::uint64_t freeBytes, std::optional<Date> lastAlert, Date now) {
    if (freeBytes == 0 || freeBytes >= lowDiskAlertBytes) return false;
    return !lastAlert || secondsBetween(*lastAlert, now) >= diskAlertIntervalSeconds;
}

} // namespace corvane::AlertRules
