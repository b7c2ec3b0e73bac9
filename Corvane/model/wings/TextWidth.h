#pragma once

#include <string_view>

namespace corvane {

/// The width in points the floating notice reserves for `text` (UTF-8): 7.5 for every Unicode
/// scalar up to U+2E80, 13 for every scalar above. An invalid byte counts as one replacement
/// character (U+FFFD, so 13).
double estimatedTextWidth(std::string_view text);

} // namespace corvane
