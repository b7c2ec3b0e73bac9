#include "status/StatusItemLook.h"

#include "prefs/Prefs.h"
#include "words/VerdictWords.h"

namespace corvane {

StatusInputs statusInputs(PressureLevel level, const MemorySnapshot& snapshot, const PreferenceStore& prefs,
                          int waiting) {
    return {level, usedPercent(snapshot), Prefs::value(prefs, Prefs::showPercent), Prefs::value(prefs, Prefs::hideIcon),
            waiting};
}

std::string statusRefreshKey(const StatusInputs& inputs) {
    const auto flag = [](bool b) { return b ? "true" : "false"; };
    return std::string(rawValue(inputs.level)) + "|" + std::to_string(inputs.percent) + "|" + flag(inputs.showPercent) +
           "|" + std::to_string(inputs.waiting) + "|" + flag(inputs.hideIcon);
}

StatusIcon statusIcon(PressureLevel level) {
    switch (level) {
    case PressureLevel::normal: return {Symbol::memoryChip, "内存正常", IconRendering::template_};
    case PressureLevel::elevated: return {Symbol::warningOutline, "内存偏紧", IconRendering::paletteOrange};
    case PressureLevel::critical: return {Symbol::warningFilled, "内存紧张", IconRendering::paletteRed};
    }
    return {Symbol::memoryChip, "内存正常", IconRendering::template_};
}

std::optional<std::uint32_t> statusTitleRgb(StatusTitleColor color) {
    switch (color) {
    case StatusTitleColor::standard: return std::nullopt;
    case StatusTitleColor::orange: return 0xFF9500;
    case StatusTitleColor::red: return 0xFF3B30;
    }
    return std::nullopt;
}

std::optional<StatusTitle> statusTitle(const StatusInputs& inputs) {
    if (!inputs.showPercent) return std::nullopt;
    StatusTitleColor color = StatusTitleColor::standard;
    if (inputs.level == PressureLevel::elevated) color = StatusTitleColor::orange;
    if (inputs.level == PressureLevel::critical) color = StatusTitleColor::red;
    return StatusTitle{" " + std::to_string(inputs.percent) + "%", color};
}

std::string a11yStatusLabel(PressureLevel level, int percent, int attentionCount) {
    std::string label = "内存压力：" + std::string(levelWord(level)) + "，已用 " + std::to_string(percent) + "%";
    if (attentionCount >= 1) label += "；" + std::to_string(attentionCount) + " 个 AI 会话等你";
    return label;
}

StatusItemLook statusItemLook(const StatusInputs& inputs) {
    StatusItemLook look;
    look.visible = !inputs.hideIcon;
    look.icon = statusIcon(inputs.level);
    look.imageLeading = inputs.showPercent;
    look.title = statusTitle(inputs);
    look.badgeVisible = inputs.waiting != 0;
    look.a11yLabel = a11yStatusLabel(inputs.level, inputs.percent, inputs.waiting);
    return look;
}

std::optional<StatusItemLook> StatusItemRefresher::refresh(const StatusInputs& inputs) {
    std::string key = statusRefreshKey(inputs);
    if (key == lastKey_) return std::nullopt;
    lastKey_ = std::move(key);
    return statusItemLook(inputs);
}

} // namespace corvane
