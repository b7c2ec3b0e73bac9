#pragma once

#include "support/UniqueFd.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

/// Opens `path` read-only (close-on-exec); an invalid descriptor when it cannot be opened.
UniqueFd openForReading(const std::string& path);

/// Reads the whole content of an open file from offset 0 with `pread`, so a descriptor kept open
/// re-reads a fresh copy of a /proc or /sys file on every call. Absent on a read error.
std::optional<std::string> preadAll(const UniqueFd& fd);

/// Reads an open small file from offset 0 into `buffer` with one `pread` and returns a view of the
/// text in it. When the text may not fit (the buffer came back full) it is read whole into
/// `overflow` instead. Absent on a read error. Avoids an allocation per sample.
std::optional<std::string_view> preadInto(const UniqueFd& fd, std::span<char> buffer, std::string& overflow);

/// Reads a kernel file (/proc, /sys) whole by path, however long its text; absent when it cannot
/// be opened or read. Kernel files report size 0, so no size check applies. Never for files that
/// others can place (it would block on a FIFO and never end on a device): use `readRegularFile`.
std::optional<std::string> readWholeFile(const std::string& path);

} // namespace corvane
