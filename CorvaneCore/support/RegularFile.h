#pragma once

#include "support/UniqueFd.h"

#include <sys/stat.h>

#include <cstddef>
#include <optional>
#include <string>

namespace corvane {

/// An open regular file with the status it had when opened.
struct RegularFile {
    UniqueFd fd;
    struct stat status {};
};

/// Opens `path` read-only and close-on-exec without blocking on a FIFO or device, and keeps it
/// only when it is a regular file (symbolic links followed). Absent when it cannot be opened or
/// examined, or is anything else. For every file that others can place: a FIFO would hang a plain
/// open or read, and a device such as /dev/zero never ends.
std::optional<RegularFile> openRegularFile(const std::string& path);

/// The whole content of the regular file at `path` when it is at most `maxBytes` long; absent
/// otherwise (larger, not a regular file, unreadable). Never reads more than `maxBytes`, even when
/// the file grows meanwhile. Each caller passes the cap that suits its kind of file.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

} // namespace corvane
