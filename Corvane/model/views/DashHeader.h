#pragma once

#include "memory/PressureLevel.h"
#include "views/ViewTint.h"

#include <string>
#include <string_view>

namespace corvane {

/// The left side of the dashboard's header line.
struct HeaderSummary {
    TintedSymbol icon;
    std::string text;
    std::string a11y;

    bool operator==(const HeaderSummary&) const = default;
};

/// An icon-only button: its symbol and its accessibility label.
struct IconButton {
    Symbol symbol{};
    std::string_view label;

    bool operator==(const IconButton&) const = default;
};

/// With AI rows: the AI summary ("AI 工具", or the number of sessions waiting with a blue bell);
/// without: the memory state with the level's icon and word.
HeaderSummary headerSummary(bool hasAIRows, int waitingCount, PressureLevel level);

/// The icon for a pressure level: green check, orange triangle or red octagon.
TintedSymbol pressureIcon(PressureLevel level);

/// The header's two buttons on the right.
inline constexpr IconButton headerSettingsButton{Symbol::settings, "打开设置"};
inline constexpr IconButton headerCloseButton{Symbol::close, "收起"};

/// Accessibility label of the whole dashboard panel.
inline constexpr std::string_view dashboardA11yLabel = "Corvane 刘海仪表盘";

} // namespace corvane
