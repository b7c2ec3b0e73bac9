#pragma once

#include "support/PathText.h"

#include "support/Date.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The device and inode of a file: two paths with the same identity reach the same file.
struct FileIdentity {
    std::uint64_t device{};
    std::uint64_t inode{};
    // clang-tidy 14 reads the synthesized comparison with zero as a null pointer constant.
    auto operator<=>(const FileIdentity&) const = default; // NOLINT(modernize-use-nullptr)
};

/// One entry of a folder with the attributes the watcher asks for (symbolic links followed,
/// except for `isSymbolicLink`).
struct DirectoryEntry {
    std::string name;
    std::string path;
    /// Absent when the entry could not be examined.
    std::optional<Date> mtime;
    std::optional<std::uint64_t> size;
    bool isDirectory{false};
    bool isRegularFile{false};
    /// The entry itself is a symbolic link.
    bool isSymbolicLink{false};
    /// Absent when the entry could not be examined.
    std::optional<FileIdentity> identity;
};

/// The entries of the folder at `path` (without "." and ".."), in no promised order; absent when
/// it cannot be opened as a folder.
std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path);

/// The names in the folder at `path` (without "." and ".."), in byte order; absent when it cannot
/// be opened as a folder. Examines no entry.
std::optional<std::vector<std::string>> listNames(const std::string& path);

/// The extension of a file name: the text after its last dot, empty without one (or for a name
/// that only starts with a dot).
std::string_view pathExtension(std::string_view name);

} // namespace corvane
