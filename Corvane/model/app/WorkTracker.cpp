#include "app/WorkTracker.h"

#include "words/AINames.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace corvane {

std::optional<FinishedEvent> finishedEvent(const AISession& session, std::optional<Date> workStartedAt, Date now,
                                           AIToolKind tool) {
    if (session.activity != AIActivity::waitingForUser || !workStartedAt) return std::nullopt;
    const Date end = std::max(std::min(session.since, now), *workStartedAt);
    const double duration = secondsBetween(*workStartedAt, end);
    if (duration < 60) return std::nullopt;
    const int minutes = std::max(1, static_cast<int>(std::lround(duration / 60)));
    FinishedEvent e;
    e.tool = tool;
    e.project = session.project;
    e.minutes = minutes;
    e.title = std::string(aiToolDisplayName(tool)) + " 干完了";
    e.subtitle = projectName(session.project) + " · 用了 " + std::to_string(minutes) + " 分钟 · 等你看结果";
    return e;
}

namespace WorkTracker {

Update update(const std::map<std::string, Date>& previous, const std::vector<AIToolStatus>& statuses, Date now) {
    Update result{previous, {}};
    std::set<std::string> seen;
    for (const AIToolStatus& status : statuses) {
        for (const AISession& session : status.sessions) {
            const std::string key = sessionKey(status.kind, session.id);
            seen.insert(key);
            switch (session.activity) {
            case AIActivity::notRunning:
            case AIActivity::idle: result.starts.erase(key); break;
            case AIActivity::working: result.starts.try_emplace(key, session.since); break;
            case AIActivity::mayNeedConfirmation: break;
            case AIActivity::waitingForUser: {
                const auto start = result.starts.find(key);
                const std::optional<Date> startedAt =
                    start == result.starts.end() ? std::nullopt : std::optional<Date>(start->second);
                if (auto e = finishedEvent(session, startedAt, now, status.kind)) result.finished[key] = *e;
                result.starts.erase(key);
                break;
            }
            }
        }
    }
    std::erase_if(result.starts, [&seen](const auto& entry) { return !seen.contains(entry.first); });
    if (result.starts.size() > maxStarts) {
        std::vector<std::pair<std::string, Date>> byDate(result.starts.begin(), result.starts.end());
        std::sort(byDate.begin(), byDate.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        byDate.resize(maxStarts);
        result.starts = std::map<std::string, Date>(byDate.begin(), byDate.end());
    }
    return result;
}

} // namespace WorkTracker
} // namespace corvane
