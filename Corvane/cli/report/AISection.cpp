#include "cli/report/AISection.h"

#include "cli/report/ReportTime.h"
#include "cli/report/TerminalText.h"
#include "words/AINames.h"

namespace corvane {

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
            out += terminalSafe(projectName(session.project));
            out += " · ";
            out += aiActivityWord(session.activity);
            out += " · 自 " + reportLocalTime(session.since) + " · " + terminalSafe(session.id) + "\n";
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
            json.key("project").value(session.project);
            json.key("activity").value(rawValue(session.activity));
            json.key("since").value(reportIsoUtc(session.since));
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
}

} // namespace corvane
