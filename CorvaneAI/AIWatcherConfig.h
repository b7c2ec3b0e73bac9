#pragma once

#include "support/Clock.h"

#include <functional>
#include <set>
#include <string>

namespace corvane {

/// Steers the AI watcher: where the transcripts live, how time and processes are read, and the
/// deadlines and thresholds of classification. Every field has a default; paths default to places
/// under the user's home folder as `homeDirectory` gives it.
struct AIWatcherConfig {
    using ProcessNames = std::function<std::set<std::string>()>;
    using FileAccessProbe = std::function<void(const std::string& path)>;

    /// Root of the command-line tool's per-project transcript folders.
    std::string claudeProjectsDir = defaultPath(".claude/projects");
    /// Root of Codex's date-partitioned session folders.
    std::string codexSessionsDir = defaultPath(".codex/sessions");
    /// Root of the desktop app's session tree.
    std::string claudeDesktopSessionsDir = defaultPath("Library/Application Support/Claude/local-agent-mode-sessions");
    /// Clock for every age computation.
    Clock now = systemClock();
    /// Names of all running processes.
    ProcessNames processNames = defaultProcessNames();
    /// Deadline in seconds for listings, tail reads and the desktop folder walk.
    double readTimeout = 0.5;
    /// Files and folders older than this many seconds are ignored.
    double recentWindow = 1800;
    /// At most this many newest transcripts are read per tool per poll.
    int maxFilesPerTool = 12;
    /// A finished turn counts as waiting only after the file has been quiet this long.
    double waitingDebounce = 15;
    /// A pending tool call counts as maybe needing confirmation after this long.
    double confirmAfter = 60;
    /// A busy or undecided transcript quiet longer than this counts as idle.
    double workingStaleAfter = 300;
    /// Called with a path just before it is listed or read; empty when absent.
    FileAccessProbe fileAccessProbe;

    /// Announces `path` to `fileAccessProbe`, when one is set.
    void announceAccess(const std::string& path) const;

    /// `relative` under the user's home folder.
    static std::string defaultPath(const std::string& relative);
    /// The platform's running process names.
    static ProcessNames defaultProcessNames();
};

} // namespace corvane
