#include "words/AINames.h"

namespace corvane {

std::string_view aiToolDisplayName(AIToolKind tool) {
    switch (tool) {
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

std::string projectName(const std::optional<std::string>& project) {
    return project && !project->empty() ? *project : "未命名项目";
}

std::string sessionKey(AIToolKind tool, const std::string& sessionID) {
    return std::string(rawValue(tool)) + "/" + sessionID;
}

} // namespace corvane
