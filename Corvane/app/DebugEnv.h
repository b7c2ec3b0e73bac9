#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace corvane::DebugEnv {

/// A process environment: variable name to value.
using Environment = std::map<std::string, std::string>;

/// This process's environment, read once on first use; safe from any thread afterwards.
const Environment& env();

/// The island demonstration to trigger: `CORVANE_ISLAND` when set; otherwise
/// `CORVANE_NOTCH_TEST`, where "1" and "expanded" mean "pinned"; otherwise absent.
std::optional<std::string> island(const Environment& environment);

/// `CORVANE_STRESS` as a decimal integer with an optional leading sign; absent when missing or
/// not entirely such a number (or out of range).
std::optional<int> stress(const Environment& environment);

/// `CORVANE_STRESS_SEED` as a decimal number (0 to 2^64 − 1), fixing the stress test's random
/// steps; absent when missing or not entirely such a number.
std::optional<std::uint64_t> stressSeed(const Environment& environment);

/// `CORVANE_ISLAND_HOLD` in seconds as a decimal number; 3.0 when missing or not a finite,
/// non-negative number.
double islandHold(const Environment& environment);

} // namespace corvane::DebugEnv
