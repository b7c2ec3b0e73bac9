#include "app/AIRows.h"

#include "words/AINames.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

std::string elapsedText(Date since, Date now, const char* underMinute, const char* prefix) {
    const double elapsed = secondsBetween(since, now);
    if (elapsed < 60) return underMinute;
    if (elapsed < 3600) return std::string(prefix) + std::to_string(static_cast<long long>(elapsed / 60)) + " 分钟";
    return std::string(prefix) + std::to_string(static_cast<long long>(elapsed / 3600)) + " 小时";
}

std::string groupKey(AIToolKind tool, const AISession& session) {
    return std::string(rawValue(tool)) + "|" + session.project.value_or("");
}

AIRow sessionRow(AIToolKind tool, const AISession& session, const std::string& shownProject, Date now,
                 const std::map<std::string, FinishedEvent>& finished) {
    AIRow row;
    row.id = sessionKey(tool, session.id);
    row.tool = tool;
    row.activity = session.activity;
    row.needsAttention = true;
    row.since = session.since;
    row.sessionID = session.id;
    row.project = session.project;
    const std::string name(aiToolDisplayName(tool));
    if (session.activity == AIActivity::mayNeedConfirmation) {
        row.title = name + " 可能卡住了";
        row.subtitle = shownProject + " · 好一会儿没动静";
    } else if (auto note = finished.find(row.id); note != finished.end()) {
        row.title = note->second.title;
        row.subtitle = shownProject + " · 用了 " + std::to_string(note->second.minutes) + " 分钟 · 等你看结果";
    } else {
        row.title = name + " 在等你回复";
        row.subtitle = shownProject + " · " + waitText(session.since, now);
        if (auto minutes = wholeMinutes(session.since, now)) {
            row.durationLead = shownProject + " · 等了 ";
            row.durationMinutes = minutes;
            row.durationTail = " 分钟";
        }
    }
    return row;
}

AIRow toolRow(const AIToolStatus& status, Date now) {
    AIRow row;
    row.id = "tool-" + std::string(rawValue(status.kind));
    row.tool = status.kind;
    row.activity = status.activity();
    row.title = std::string(aiToolDisplayName(status.kind)) + " " + std::string(aiActivityWord(row.activity));
    const auto& sessions = status.sessions;
    for (const AISession& s : sessions) {
        if (!row.since || s.since < *row.since) row.since = s.since;
    }
    if (sessions.size() == 1) {
        row.subtitle = sessions.front().project.value_or("");
    } else if (sessions.size() >= 2) {
        row.subtitle = std::to_string(sessions.size()) + " 个会话";
    }

    std::vector<const AISession*> working;
    for (const AISession& s : sessions) {
        if (s.activity == AIActivity::working) working.push_back(&s);
    }
    if (row.activity == AIActivity::working && !working.empty()) {
        const AISession& oldest =
            **std::min_element(working.begin(), working.end(), [](auto* a, auto* b) { return a->since < b->since; });
        std::string base = working.size() < 2 ? oldest.project.value_or("") : std::to_string(working.size()) + " 个会话";
        if (!base.empty()) base += " · ";
        if (auto minutes = wholeMinutes(oldest.since, now)) {
            row.durationLead = base + "已 ";
            row.durationMinutes = minutes;
            row.durationTail = " 分钟";
            row.subtitle = base + "已 " + std::to_string(*minutes) + " 分钟";
        } else {
            row.subtitle = base + runText(oldest.since, now);
        }
        row.since = oldest.since;
        row.sessionID = oldest.id;
        row.project = oldest.project;
    } else if (!sessions.empty()) {
        row.sessionID = sessions.front().id;
        row.project = sessions.front().project;
    }
    return row;
}

} // namespace

std::string waitText(Date since, Date now) {
    return elapsedText(since, now, "刚刚", "等了 ");
}

std::string runText(Date since, Date now) {
    return elapsedText(since, now, "刚开始", "已 ");
}

std::optional<int> wholeMinutes(Date since, Date now) {
    const auto minutes = static_cast<int>(std::max(0.0, secondsBetween(since, now)) / 60);
    if (minutes >= 1 && minutes <= 59) return minutes;
    return std::nullopt;
}

std::vector<AIRow> makeAIRows(const std::vector<AIToolStatus>& statuses, Date now,
                              const std::map<std::string, FinishedEvent>& finished) {
    struct Pair {
        AIToolKind tool;
        const AISession* session;
    };
    std::vector<Pair> pairs;
    std::vector<AIRow> toolRows;
    for (const AIToolStatus& status : statuses) {
        if (!status.isRunning && status.sessions.empty()) continue;
        const std::size_t before = pairs.size();
        for (const AISession& s : status.sessions) {
            if (needsAttention(s.activity)) pairs.push_back({status.kind, &s});
        }
        if (pairs.size() == before) toolRows.push_back(toolRow(status, now));
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair& a, const Pair& b) { return a.session->since < b.session->since; });

    std::map<std::string, int> groupSizes;
    for (const Pair& p : pairs) ++groupSizes[groupKey(p.tool, *p.session)];
    std::map<std::string, int> groupSeen;
    std::vector<AIRow> rows;
    for (const Pair& p : pairs) {
        const std::string key = groupKey(p.tool, *p.session);
        std::string shown = projectName(p.session->project);
        if (groupSizes[key] > 1) shown += " #" + std::to_string(++groupSeen[key]);
        rows.push_back(sessionRow(p.tool, *p.session, shown, now, finished));
    }
    rows.insert(rows.end(), toolRows.begin(), toolRows.end());
    return rows;
}

} // namespace corvane
