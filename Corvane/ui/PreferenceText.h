#pragma once

#include "prefs/PreferenceStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// How a preference is written in the settings file: "true"/"false", or the shortest decimal
/// that reads back as the same double.
std::string preferenceText(PreferenceValue value);

/// The value written as `text`, of the type of `expected` (its default) when one is known:
/// only "true" and "false" are Booleans, only a whole finite decimal number is seconds.
/// Anything else is absent, so the reader falls back to the default.
std::optional<PreferenceValue> parsePreferenceText(std::string_view text,
                                                   const std::optional<PreferenceValue>& expected);

} // namespace corvane
