#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The parts of `text` between occurrences of `separator`, empty parts dropped.
std::vector<std::string> splitNonEmpty(std::string_view text, char separator);

} // namespace corvane
