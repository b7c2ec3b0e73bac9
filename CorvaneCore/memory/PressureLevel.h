#pragma once

#include <optional>
#include <string_view>

namespace corvane {

/// The three-step memory pressure scale, in order of severity (so `<` compares severity).
enum class PressureLevel { normal, elevated, critical };

/// The level's raw value: "normal", "elevated" or "critical".
std::string_view rawValue(PressureLevel level);

/// The level whose raw value is exactly `raw`; absent for any other text.
std::optional<PressureLevel> pressureLevelFromRaw(std::string_view raw);

} // namespace corvane
