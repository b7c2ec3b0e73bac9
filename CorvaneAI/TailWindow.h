#pragma once

#include "LineBuffer.h"
#include "TailResult.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corvane::TailWindow {

/// A transcript parser: lines oldest first and the file's modification time in, verdict out.
using Parser = std::function<TailResult(const LineBuffer&, Date)>;

/// The first window read from the end of a transcript, and the largest.
inline constexpr std::size_t initialBytes = 32768;
inline constexpr std::size_t maximumBytes = 262144;

/// Reads and parses the tail of `path` with a window of 32 KiB, doubling it (up to 256 KiB) while
/// the state stays unknown and the window is still smaller than `knownSize`, the file size seen
/// when it was listed (0 when unknown). Absent as soon as a read fails.
std::optional<TailResult> observe(const std::string& path, std::uint64_t knownSize, const Parser& parse);

} // namespace corvane::TailWindow
