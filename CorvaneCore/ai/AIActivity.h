#pragma once

#include <optional>
#include <string_view>

namespace corvane {

/// What an AI session is doing, in ascending order of urgency (`<` compares that order).
enum class AIActivity { notRunning, idle, working, mayNeedConfirmation, waitingForUser };

/// The case name, e.g. "waitingForUser".
std::string_view rawValue(AIActivity activity);
/// The activity whose raw value is exactly `raw`; absent for any other text.
std::optional<AIActivity> aiActivityFromRaw(std::string_view raw);
/// True exactly for `mayNeedConfirmation` and `waitingForUser`.
bool needsAttention(AIActivity activity);

} // namespace corvane
