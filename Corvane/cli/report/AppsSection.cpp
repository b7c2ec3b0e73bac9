#include "cli/report/AppsSection.h"

#include "memory/FormatBytes.h"
#include "cli/report/TerminalText.h"

#include <cmath>

namespace corvane {

std::string_view safetyKindName(SafetyVerdict::Kind kind) {
    switch (kind) {
    case SafetyVerdict::Kind::caution: return "caution";
    case SafetyVerdict::Kind::protected_: return "protected";
    case SafetyVerdict::Kind::canQuit: return "canQuit";
    }
    return "canQuit";
}

std::string idleWords(std::optional<double> idleSeconds) {
    if (!idleSeconds) return "未知";
    if (*idleSeconds <= 0) return "正在使用";
    const auto minutes = static_cast<long long>(std::floor(*idleSeconds / 60));
    if (minutes < 1) return "不到 1 分钟";
    if (minutes < 60) return std::to_string(minutes) + " 分钟";
    const long long hours = minutes / 60;
    const long long rest = minutes % 60;
    std::string words = std::to_string(hours) + " 小时";
    if (rest > 0) words.append(" ").append(std::to_string(rest)).append(" 分钟");
    return words;
}

void appendAppsText(std::string& out, const AppsReport& apps) {
    out += "\n应用（占用内存最多的 " + std::to_string(apps.groups.size()) + " 个）\n";
    if (!apps.windowSystemAvailable) out += "  没有连接到窗口系统：无法判断哪些是前台应用，全部只展示\n";
    for (const AppGroup& g : apps.groups) {
        out += "  " + terminalSafe(g.name);
        if (g.bundleID && *g.bundleID != g.name) out += "（" + terminalSafe(*g.bundleID) + "）";
        out += "  " + formatBytes(g.footprintBytes) + "  闲置：" + idleWords(g.idleSeconds);
        out += g.isRegularApp ? (g.hasVisibleWindow ? "  窗口：可见" : "  窗口：隐藏") : "  后台";
        switch (g.safety.kind) {
        case SafetyVerdict::Kind::canQuit: out += "  可以退出"; break;
        case SafetyVerdict::Kind::caution: out += "  注意：" + g.safety.reason; break;
        case SafetyVerdict::Kind::protected_: out += "  锁定：" + g.safety.reason; break;
        }
        out += '\n';
    }
}

void writeAppsJson(JsonWriter& json, const AppsReport& apps) {
    json.key("apps").beginObject();
    json.key("windowSystem").value(apps.windowSystemAvailable);
    json.key("groups").beginArray();
    for (const AppGroup& g : apps.groups) {
        json.beginObject();
        json.key("id").value(g.id);
        json.key("name").value(g.name);
        json.key("identity").value(g.bundleID);
        json.key("pids").beginArray();
        for (const std::int32_t pid : g.pids) json.value(static_cast<std::int64_t>(pid));
        json.endArray();
        json.key("footprintBytes").value(g.footprintBytes);
        json.key("idleSeconds").value(g.idleSeconds);
        json.key("isRegularApp").value(g.isRegularApp);
        json.key("hasVisibleWindow").value(g.hasVisibleWindow);
        json.key("safety").beginObject();
        json.key("kind").value(safetyKindName(g.safety.kind));
        json.key("reason").value(g.safety.reason);
        json.endObject();
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace corvane
