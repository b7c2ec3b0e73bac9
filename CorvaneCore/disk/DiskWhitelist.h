#pragma once

#include "disk/DiskLayout.h"

#include <optional>
#include <string>
#include <vector>

/// The path rules that decide what may ever be moved to the Trash, and the plain-path test the
/// scanner shares. Pure apart from the file-system reads of `realPath` and `isPlain`; thread-safe.
namespace corvane::DiskWhitelist {

/// The components of `path`, split at "/", empty components dropped.
std::vector<std::string> split(const std::string& path);

/// `path` with "." and ".." resolved textually (".." at the root stays at the root) and no
/// trailing slash; "/" for an empty result. Never touches the file system.
std::string standardized(const std::string& path);

/// The components of `path` below `home`; absent unless `path` is absolute and lies strictly below
/// `home` (the home folder itself has no relative path).
std::optional<std::vector<std::string>> relative(const std::string& path, const std::string& home);

/// Whether home-relative components denote an allowed place of `layout`: inside one of its
/// roots, a Codex worktree (3 or 4 components), generated images, or an update leftover of the
/// caches folder. Any "." or ".." component refuses.
bool matches(const std::vector<std::string>& rel, const DiskLayout& layout);

/// `path` standardized with every symbolic link of its longest existing prefix resolved and the
/// missing tail appended. Absent when not even "/" resolves.
std::optional<std::string> realPath(const std::string& path);

/// Whether `path` lies below `home` and no component between them (the last one included) is a
/// symbolic link. A path that cannot be resolved is not plain.
bool isPlain(const std::string& path, const std::string& home);

/// Whether the absolute `path` may be moved to the Trash: no ".." component, and both its text
/// and its resolved form lie in an allowed place of `layout` below `home`.
bool allowsCleaning(const std::string& path, const std::string& home, const DiskLayout& layout);

} // namespace corvane::DiskWhitelist
