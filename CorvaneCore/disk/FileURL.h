#pragma once

#include <optional>
#include <string>

namespace corvane {

/// The percent-decoded path of a "file:" URL ("file:///a%20b" and "file://localhost/a b" give
/// "/a b"); absent for any other text, another host or a malformed escape.
std::optional<std::string> filePathOfURL(const std::string& text);

/// `path` made absolute against the current folder and standardized textually.
std::string absoluteStandardized(const std::string& path);

} // namespace corvane
