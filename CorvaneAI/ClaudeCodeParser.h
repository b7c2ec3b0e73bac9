#pragma once

#include "LineBuffer.h"
#include "TailResult.h"

/// Reads the state of a Claude Code command-line transcript from its last lines.
namespace corvane::ClaudeCodeParser {

/// Walks `lines` (oldest first) from the newest back until the state and the working directory
/// are both known. Lines that are not JSON objects are skipped. Side-chain lines never settle the
/// state but may supply the directory. The result carries `mtime` unchanged. Thread-safe.
TailResult parse(const LineBuffer& lines, Date mtime);

} // namespace corvane::ClaudeCodeParser
