#include "views/DashHeader.h"

#include "words/VerdictWords.h"

namespace corvane {

TintedSymbol pressureIcon(PressureLevel level) {
    switch (level) {
    case PressureLevel::normal: return {Symbol::checkCircle, ViewTint::green};
    case PressureLevel::elevated: return {Symbol::warningFilled, ViewTint::orange};
    case PressureLevel::critical: return {Symbol::stopFilled, ViewTint::red};
    }
    return {Symbol::checkCircle, ViewTint::green};
}

HeaderSummary headerSummary(bool hasAIRows, int waitingCount, PressureLevel level) {
    if (hasAIRows && waitingCount >= 1) {
        const std::string n = std::to_string(waitingCount);
        return {{Symbol::bellBadge, ViewTint::blue}, n + " 个在等你", n + " 个 AI 会话在等你"};
    }
    if (hasAIRows) return {{Symbol::sparkles, ViewTint::primary}, "AI 工具", "AI 工具"};
    const std::string text = "内存状态：" + std::string(levelWord(level));
    return {pressureIcon(level), text, text};
}

} // namespace corvane
