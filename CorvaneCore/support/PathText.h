#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// The last component of a path, ignoring trailing slashes ("b" for "/a/b/", "" for "/"); the
/// whole text when it has no slash.
std::string_view lastPathComponent(std::string_view path);

/// `name` inside `folder`: one slash between them, none added when `folder` already ends in one.
std::string joinPath(std::string_view folder, std::string_view name);

/// Everything before the last slash of `path`; empty when it has none.
std::string parentFolder(std::string_view path);

} // namespace corvane
