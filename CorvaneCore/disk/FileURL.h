#pragma once

#include <optional>
#include <string>

namespace corvane {

/// The percent-decoded path of a "file:" URL ("file:///a%20b" and "file://localhost/a b" give
/// "/a b"); absent for any other text, another host or a malformed escape.
std::optional<std::string> filePathOfURL(const std::string& text);

/// `path` in the escaped form of a URL path: every byte other than ASCII letters, digits, "-",
/// ".", "_", "~" and "/" becomes "%XX" (upper-case hex), so "/a b/文" gives "/a%20b/%E6%96%87".
std::string percentEncodedPath(const std::string& path);

/// `path` made absolute against the current folder and standardized textually.
std::string absoluteStandardized(const std::string& path);

} // namespace corvane
