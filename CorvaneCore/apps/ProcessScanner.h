#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

/// The names under which running processes are known, for telling whether an AI tool runs.
namespace corvane::ProcessScanner {

/// Every name of every process this user may inspect; empty when the process table is unreadable.
std::set<std::string> runningProcessNames();

/// The names one process is known by: its kernel command name, the file name of argv[0], for an
/// interpreter (node, bun, deno) the file name of its first script argument without ".js",
/// ".mjs" or ".cjs", and "claude" for a native install under a ".../claude/versions/" folder or an
/// interpreter running a script of the "@anthropic-ai/claude-code" package.
/// `arguments` is the NUL-split command line; `executable` the resolved executable path (may be
/// empty).
std::vector<std::string> namesOf(std::string_view comm, const std::vector<std::string>& arguments,
                                 std::string_view executable);

} // namespace corvane::ProcessScanner
