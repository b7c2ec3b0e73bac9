#pragma once

#include "support/UniqueFd.h"

#include <sys/stat.h>

#include <optional>
#include <string>

namespace corvane {

/// An open regular file with the status it had when opened.
struct RegularFile {
    UniqueFd fd;
    struct stat status {};
};

/// Opens `path` read-only without blocking on a FIFO or device and keeps it only when it is a
/// regular file (symbolic links followed). Absent when it cannot be opened or examined, or is
/// anything else: a FIFO named like a transcript would otherwise hang the reader forever.
std::optional<RegularFile> openRegularFile(const std::string& path);

/// The whole content of the regular file at `path` when it is at most `maxBytes` long; absent
/// otherwise or on any error.
std::optional<std::string> readSmallRegularFile(const std::string& path, std::size_t maxBytes);

} // namespace corvane
