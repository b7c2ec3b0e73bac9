#pragma once

#include <algorithm>
#include <chrono>

namespace corvane {

/// A wall-clock moment. Durations elsewhere are `double` seconds.
using Date = std::chrono::system_clock::time_point;

/// Offsets beyond about ±126 years are clamped so a corrupt stored value cannot overflow the
/// clock's 64-bit nanosecond count (good for ±292 years around 1970).
inline constexpr double maxDateOffsetSeconds = 4e9;

/// `date` moved by `seconds` (may be negative or fractional; NaN counts as 0).
inline Date addingSeconds(Date date, double seconds) {
    if (!(seconds == seconds)) seconds = 0;
    seconds = std::clamp(seconds, -maxDateOffsetSeconds, maxDateOffsetSeconds);
    return date + std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds));
}

/// Seconds from `from` to `to`; negative when `to` is earlier.
inline double secondsBetween(Date from, Date to) {
    return std::chrono::duration<double>(to - from).count();
}

/// The moment `seconds` after 1970-01-01 00:00:00 UTC.
inline Date dateFromUnixSeconds(double seconds) {
    return addingSeconds(Date{}, seconds);
}

/// Seconds since 1970-01-01 00:00:00 UTC.
inline double unixSeconds(Date date) {
    return secondsBetween(Date{}, date);
}

} // namespace corvane
