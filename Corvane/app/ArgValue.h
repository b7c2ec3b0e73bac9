#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The argument after the first one equal to `key` (exact, case-sensitive); absent when `key`
/// does not occur or is the last argument.
std::optional<std::string> argValue(const std::vector<std::string>& args, std::string_view key);

} // namespace corvane
