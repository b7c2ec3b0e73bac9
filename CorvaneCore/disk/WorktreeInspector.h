#pragma once

#include "support/ChildProcess.h"
#include "support/Date.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// What git says about a folder under the Codex worktrees folder.
enum class WorktreeVerdict {
    clean,       ///< a linked worktree, no changes, HEAD contained in a remote-tracking branch
    dirty,       ///< uncommitted or untracked changes
    unpushed,    ///< no changes, but no remote-tracking branch contains HEAD
    notWorktree, ///< not a linked worktree (no ".git" file pointing into a worktrees folder)
    unknown,     ///< git is missing, failed or timed out, or the deadline passed
};

/// The reason shown to the user for every verdict but `clean` (absent for it).
std::optional<std::string_view> reasonText(WorktreeVerdict verdict);

/// Judges one folder by running git with a timeout. Stateless; thread-safe.
namespace WorktreeInspector {

/// The git program every inspection runs.
inline constexpr const char* gitPath = "/usr/bin/git";
/// Standard output beyond this many bytes is dropped.
inline constexpr std::size_t outputCap = 65536;

/// The verdict for the absolute folder `dir`. Each git command may take `timeout` seconds, and
/// none runs past the wall-clock `deadline`: a folder not judged by then is `unknown`. Git runs
/// none of the programs a repository or user may configure (file-system monitor, hooks, clean
/// filters), so inspecting a worktree never runs its code.
WorktreeVerdict inspect(const std::string& dir, double timeout, std::optional<Date> deadline = std::nullopt);

/// Runs git with `arguments` and exactly the environment PATH=/usr/bin:/bin, GIT_OPTIONAL_LOCKS=0,
/// GIT_TERMINAL_PROMPT=0, LC_ALL=C and HOME (the user's home folder); the exit status and standard
/// output (at most 64 KiB, empty when not UTF-8). Absent when git cannot start or does not exit within `timeout`
/// (it is then terminated and reaped).
std::optional<ChildResult> run(const std::vector<std::string>& arguments, double timeout);

} // namespace WorktreeInspector

} // namespace corvane
