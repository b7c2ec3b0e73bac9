#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// `name` inside `folder`, with exactly the one slash between them that `folder` lacks.
std::string joinPath(const std::string& folder, std::string_view name);
/// Everything before the last slash of `path`; empty when it has none.
std::string parentFolder(const std::string& path);

} // namespace corvane
