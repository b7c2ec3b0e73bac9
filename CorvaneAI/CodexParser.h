#pragma once

#include "LineBuffer.h"
#include "TailResult.h"

#include <optional>
#include <string>
#include <string_view>

/// Reads the state of a Codex rollout file from its last lines, and its working directory from
/// its first line.
namespace corvane::CodexParser {

/// Walks `lines` (oldest first) from the newest back and stops at the first line that settles the
/// state; `unknown` when none does. The result's `cwd` is always absent and its `mtime` is the
/// given one. Lines that are not JSON objects are skipped. Thread-safe.
TailResult parse(const LineBuffer& lines, Date mtime);

/// The working directory named by the "cwd" member in a first line's raw bytes (decoded as UTF-8,
/// invalid bytes replaced), with JSON escapes undone when they are valid. Absent without one.
std::optional<std::string> cwd(std::string_view firstLine);

} // namespace corvane::CodexParser
