#pragma once

#include "ai/AIToolStatus.h"
#include "app/FinishedEvent.h"
#include "support/Date.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The finished-work note for a session that now waits, when it worked at least a minute since
/// `workStartedAt`; absent otherwise. The end of work is the earlier of the session's `since` and
/// `now`, never before the start.
std::optional<FinishedEvent> finishedEvent(const AISession& session, std::optional<Date> workStartedAt, Date now,
                                           AIToolKind tool);

/// Remembers when each session started working and notices when work finishes.
namespace WorkTracker {

/// Most work starts kept; the latest starts win.
inline constexpr std::size_t maxStarts = 64;

struct Update {
    /// Session key → when it was first seen working.
    std::map<std::string, Date> starts;
    /// Session key → the work that finished in this poll.
    std::map<std::string, FinishedEvent> finished;
};

/// One poll: working sessions keep (or get) a start, waiting ones turn it into a finished note,
/// idle, stopped and vanished ones lose it; a pending confirmation keeps it running.
Update update(const std::map<std::string, Date>& previous, const std::vector<AIToolStatus>& statuses, Date now);

} // namespace WorkTracker
} // namespace corvane
