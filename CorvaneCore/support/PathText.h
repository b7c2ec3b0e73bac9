#pragma once

#include <string_view>

namespace corvane {

/// The last component of a path, ignoring trailing slashes ("b" for "/a/b/", "" for "/"); the
/// whole text when it has no slash.
std::string_view lastPathComponent(std::string_view path);

} // namespace corvane
