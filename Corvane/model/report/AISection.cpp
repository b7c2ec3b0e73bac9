#include "report/AISection.h"

#include <ctime>

namespace corvane {

namespace {

std::string formatTime(Date date, const char* pattern, bool utc) {
    const std::time_t t = std::chrono::system_clock::to_time_t(date);
    std::tm parts{};
    if (utc) ::gmtime_r(&t, &parts);
    else ::localtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, pattern, &parts);
    return text;
}

} // namespace

std::string_view aiToolDisplayName(AIToolKind kind) {
    switch (kind) {
    case AIToolKind::claudeCode: return "Claude Code";
    case AIToolKind::claudeDesktop: return "Claude";
    case AIToolKind::codex: return "Codex";
    }
    return "Claude Code";
}

std::string_view aiActivityWord(AIActivity activity) {
    switch (activity) {
    case AIActivity::notRunning: return "未运行";
    case AIActivity::idle: return "空闲";
    case AIActivity::working: return "工作中";
    case AIActivity::mayNeedConfirmation: return "可能卡住了";
    case AIActivity::waitingForUser: return "等你回复";
    }
    return "未运行";
}

void appendAIText(std::string& out, const std::vector<AIToolStatus>& statuses) {
    if (statuses.empty()) return;
    out += "\nAI 会话\n";
    for (const AIToolStatus& status : statuses) {
        out += "  ";
        out += aiToolDisplayName(status.kind);
        out += "：";
        out += aiActivityWord(status.activity());
        if (!status.sessions.empty()) out += "（" + std::to_string(status.sessions.size()) + " 个会话）";
        out += '\n';
        for (const AISession& session : status.sessions) {
            out += "    ";
            out += session.project && !session.project->empty() ? *session.project : std::string("未命名项目");
            out += " · ";
            out += aiActivityWord(session.activity);
            out += " · 自 " + formatTime(session.since, "%Y-%m-%d %H:%M:%S", false) + " · " + session.id + "\n";
        }
    }
}

void writeAIJson(JsonWriter& json, const std::vector<AIToolStatus>& statuses) {
    if (statuses.empty()) return;
    json.key("ai").beginArray();
    for (const AIToolStatus& status : statuses) {
        json.beginObject();
        json.key("tool").value(rawValue(status.kind));
        json.key("isRunning").value(status.isRunning);
        json.key("activity").value(rawValue(status.activity()));
        json.key("sessions").beginArray();
        for (const AISession& session : status.sessions) {
            json.beginObject();
            json.key("id").value(session.id);
            json.key("project");
            if (session.project) json.value(*session.project);
            else json.null();
            json.key("activity").value(rawValue(session.activity));
            json.key("since").value(formatTime(session.since, "%Y-%m-%dT%H:%M:%SZ", true));
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

} // namespace corvane
