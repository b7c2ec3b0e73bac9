#pragma once

#include <string>

namespace corvane {

/// Whether anything is at `path`; a symbolic link counts even when it leads nowhere.
bool pathExists(const std::string& path);

/// Whether `path` is a folder itself, not a symbolic link to one.
bool isPlainFolder(const std::string& path);

} // namespace corvane
