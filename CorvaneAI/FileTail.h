#pragma once

#include "LineBuffer.h"
#include "support/Date.h"

#include <sys/stat.h>

#include <optional>
#include <string>

/// Bounded reads of transcript files: the last lines of a file, and its first line.
namespace corvane::FileTail {

/// The lines in the last `maxBytes` of a file and its modification time.
struct Tail {
    LineBuffer lines;
    Date mtime{};
};

/// Reads the last `maxBytes` of the regular file at `path` with one positional read and splits
/// them into non-empty lines. When the file is longer than `maxBytes` the first line, which may be
/// cut, is dropped. An empty file (or an empty read) gives no lines. Absent when the file cannot
/// be opened or examined or is not a regular file. Thread-safe.
std::optional<Tail> readLines(const std::string& path, std::size_t maxBytes);

/// The bytes of the file's first line (all bytes read when the first `maxBytes` hold no newline).
/// Absent when the file cannot be opened, is not a regular file, or yields no byte.
std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxBytes);

} // namespace corvane::FileTail
