#pragma once

#include "support/PathText.h"

#include "support/Date.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// One entry of a folder with the attributes the watcher asks for (symbolic links followed).
struct DirectoryEntry {
    std::string name;
    std::string path;
    /// Absent when the entry could not be examined.
    std::optional<Date> mtime;
    std::optional<std::uint64_t> size;
    bool isDirectory{false};
};

/// The entries of the folder at `path` (without "." and ".."), in no promised order; absent when
/// it cannot be opened as a folder.
std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path);

/// The extension of a file name: the text after its last dot, empty without one (or for a name
/// that only starts with a dot).
std::string_view pathExtension(std::string_view name);


} // namespace corvane
