#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Which canned memory situation the demonstration providers show, mildest first.
enum class MockMode { ok, warn, bad };

/// The mode named exactly `raw` ("ok", "warn" or "bad"); absent for any other text.
std::optional<MockMode> mockModeFromRaw(std::string_view raw);

/// The mode chosen with "--mock" among `args`; absent when the option is missing, has no
/// following argument or names no mode (a normal start).
std::optional<MockMode> mockModeFromArguments(const std::vector<std::string>& args);

} // namespace corvane
