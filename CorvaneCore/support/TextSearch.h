#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// Whether `part` occurs in `text` (an empty part always does).
bool containsText(std::string_view text, std::string_view part);

/// `text` with every occurrence of `part` removed, left to right; `text` itself for an empty part.
std::string removingAll(std::string_view text, std::string_view part);

} // namespace corvane
