#include "views/AISection.h"

#include <algorithm>

namespace corvane {

AISectionLayout aiSectionLayout(std::size_t rowCount, bool expanded) {
    AISectionLayout layout;
    layout.alwaysShown = std::min(rowCount, aiAlwaysShownRows);
    layout.overflow = rowCount - layout.alwaysShown;
    if (layout.overflow > 0) {
        layout.toggleText = expanded ? std::string("收起其余 AI 会话")
                                     : "另有 " + std::to_string(layout.overflow) + " 个 AI 会话，点按展开";
    }
    return layout;
}

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

TintedSymbol aiRowIcon(AIToolKind tool, AIActivity activity, std::string_view title) {
    if (activity == AIActivity::waitingForUser && title.ends_with("干完了")) {
        return {"checkmark.circle.fill", ViewTint::green};
    }
    ViewTint tint = ViewTint::secondary;
    if (activity == AIActivity::waitingForUser) tint = ViewTint::blue;
    if (activity == AIActivity::mayNeedConfirmation) tint = ViewTint::orange;
    switch (tool) {
    case AIToolKind::claudeCode: return {"terminal.fill", tint};
    case AIToolKind::claudeDesktop: return {"sparkles", tint};
    case AIToolKind::codex: return {"chevron.left.forwardslash.chevron.right", tint};
    }
    return {"terminal.fill", tint};
}

std::string aiRowA11yLabel(AIToolKind tool, std::string_view title) {
    return std::string(aiToolDisplayName(tool)) + " 会话：" + std::string(title);
}

} // namespace corvane
