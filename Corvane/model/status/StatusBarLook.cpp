#include "status/StatusBarLook.h"

#include "support/Utf8.h"
#include "symbols/SymbolGlyphs.h"
#include "words/AINames.h"

namespace corvane {

std::vector<std::string> waitingSessionLines(const std::vector<AIRow>& rows) {
    std::vector<std::string> lines;
    for (const AIRow& row : rows) {
        if (row.needsAttention) lines.push_back(row.title + " · " + projectName(row.project));
    }
    return lines;
}

StatusBarLook statusBarLook(const StatusInputs& inputs, const std::vector<std::string>& waitingLines) {
    // A bar module is there to be seen: the tray's preferences to hide the icon or the percent
    // do not apply to it.
    StatusInputs shown = inputs;
    shown.showPercent = true;
    shown.hideIcon = false;
    const StatusItemLook tray = statusItemLook(shown);
    StatusBarLook look;
    look.level = inputs.level;
    look.percent = inputs.percent;
    look.glyph = encodeUtf8(glyphFor(tray.icon.symbol).codepoint);
    look.text = look.glyph + tray.title->text;
    look.color = statusTitleRgb(tray.title->color);
    look.label = tray.a11yLabel;
    look.tooltip = look.label;
    for (const std::string& line : waitingLines) look.tooltip += "\n" + line;
    look.waiting = inputs.waiting;
    return look;
}

std::optional<StatusBarLook> StatusBarRefresher::refresh(const StatusInputs& inputs,
                                                         const std::vector<std::string>& waitingLines) {
    std::string key = statusRefreshKey(inputs);
    for (const std::string& line : waitingLines) key += "\n" + line;
    if (key == lastKey_) return std::nullopt;
    lastKey_ = std::move(key);
    return statusBarLook(inputs, waitingLines);
}

} // namespace corvane
