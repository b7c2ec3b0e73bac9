#pragma once

#include "AIWatcherConfig.h"
#include "ai/AISession.h"

#include <vector>

namespace corvane {

/// The Claude desktop app's sessions, found in its session tree under `claudeDesktopSessionsDir`:
/// any entry modified within `recentWindow` counts as activity, and the session records
/// ("local_*.json") met on the way name the sessions and give their titles.
class ClaudeDesktopSource {
public:
    explicit ClaudeDesktopSource(AIWatcherConfig config);

    /// The sessions active at `now`, all `working`: up to five titled ones from the newest session
    /// records, or the single session "desktop" when the tree shows activity but holds no record.
    /// Walks four levels at most, into the six newest folders of each, and lists no more folders
    /// once `readTimeout` has passed. Runs on the calling thread.
    std::vector<AISession> sessions(Date now) const;

private:
    const AIWatcherConfig config_;
};

} // namespace corvane
