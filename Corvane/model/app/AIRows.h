#pragma once

#include "ai/AIToolStatus.h"
#include "app/FinishedEvent.h"
#include "support/Date.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// One row of the dashboard's AI section: a session that needs the user, or a tool summary.
struct AIRow {
    /// Session key, or "tool-" + tool key.
    std::string id;
    AIToolKind tool{AIToolKind::claudeCode};
    AIActivity activity{AIActivity::idle};
    std::string title;
    std::string subtitle;
    bool needsAttention{false};
    std::optional<Date> since;
    /// When `durationMinutes` is set, lead + number + tail equals the end of `subtitle`, so a
    /// view may animate the number.
    std::string durationLead;
    std::optional<int> durationMinutes;
    std::string durationTail;
    std::optional<std::string> sessionID;
    std::optional<std::string> project;

    bool operator==(const AIRow&) const = default;
};

/// "刚刚" under a minute (or negative), "等了 N 分钟" under an hour, else "等了 N 小时" (truncated).
std::string waitText(Date since, Date now);
/// "刚开始", "已 N 分钟" or "已 N 小时", by the same steps.
std::string runText(Date since, Date now);
/// Whole minutes elapsed when between 1 and 59; absent otherwise.
std::optional<int> wholeMinutes(Date since, Date now);

/// The rows for the given statuses: sessions needing the user first (oldest first), then one
/// row per running tool or tool with sessions but none needing the user.
std::vector<AIRow> makeAIRows(const std::vector<AIToolStatus>& statuses, Date now,
                              const std::map<std::string, FinishedEvent>& finished);

} // namespace corvane
