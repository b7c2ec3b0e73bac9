#pragma once

#include "memory/PressureLevel.h"
#include "support/Date.h"

#include <cstdint>
#include <optional>

/// When the model raises a notice for memory pressure or low disk space.
namespace corvane::AlertRules {

/// Free disk space below which the disk notice is due (15 GiB).
inline constexpr std::uint64_t lowDiskAlertBytes = 16106127360ULL;
/// The least time between two disk notices.
inline constexpr double diskAlertIntervalSeconds = 3600;
/// The least time between two pressure notices.
inline constexpr double pressureAlertIntervalSeconds = 300;

/// Whether a change of level calls for a notice: a rise into elevated or critical. The first
/// sample (`previous` absent) alerts only in a demonstration model and only when not normal;
/// a fall from critical to elevated never alerts.
bool pressureLevelAlerts(std::optional<PressureLevel> previous, PressureLevel level, bool isMock);

/// True when 0 < freeBytes < 15 GiB and no disk notice was shown yet or the last one is at least
/// an hour old. Zero free bytes means nothing was measured and never alerts.
bool shouldAlertDisk(std::uint64_t freeBytes, std::optional<Date> lastAlert, Date now);

} // namespace corvane::AlertRules
