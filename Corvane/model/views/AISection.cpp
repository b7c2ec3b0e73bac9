#include "views/AISection.h"

#include "words/AINames.h"

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

TintedSymbol aiRowIcon(AIToolKind tool, AIActivity activity, std::string_view title) {
    if (activity == AIActivity::waitingForUser && title.ends_with("干完了")) {
        return {Symbol::checkCircle, ViewTint::green};
    }
    ViewTint tint = ViewTint::secondary;
    if (activity == AIActivity::waitingForUser) tint = ViewTint::blue;
    if (activity == AIActivity::mayNeedConfirmation) tint = ViewTint::orange;
    switch (tool) {
    case AIToolKind::claudeCode: return {Symbol::terminal, tint};
    case AIToolKind::claudeDesktop: return {Symbol::sparkles, tint};
    case AIToolKind::codex: return {Symbol::code, tint};
    }
    return {Symbol::terminal, tint};
}

std::string aiRowA11yLabel(AIToolKind tool, std::string_view title) {
    return std::string(aiToolDisplayName(tool)) + " 会话：" + std::string(title);
}

std::string_view subtitleBeforeMinutes(const AIRow& row) {
    const std::string_view subtitle = row.subtitle;
    if (!row.durationMinutes) return subtitle;
    const std::string counted = row.durationLead + std::to_string(*row.durationMinutes) + row.durationTail;
    if (!subtitle.ends_with(counted)) return subtitle;
    return subtitle.substr(0, subtitle.size() - counted.size());
}

} // namespace corvane
