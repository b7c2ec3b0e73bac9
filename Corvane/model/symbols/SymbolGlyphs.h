#pragma once

#include "symbols/Symbol.h"

#include <array>
#include <string_view>

namespace corvane {

/// Where the icon font is installed (Debian package fonts-material-design-icons-iconfont).
inline constexpr std::string_view materialIconsFontPath =
    "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf";

/// One icon and the Material Icons glyph that draws it.
struct SymbolGlyph {
    Symbol symbol{};
    /// The glyph's name in the font's codepoints list.
    std::string_view glyphName;
    char32_t codepoint{};
};

/// The glyph of every icon, in the order of `Symbol`'s cases.
inline constexpr std::array<SymbolGlyph, symbolCount> symbolGlyphs{{
    {Symbol::memoryChip, "memory", 0xe322},
    {Symbol::warningOutline, "warning_amber", 0xf083},
    {Symbol::warningFilled, "warning", 0xe002},
    {Symbol::stopFilled, "dangerous", 0xe99a},
    {Symbol::checkCircle, "check_circle", 0xe86c},
    {Symbol::bellBadge, "notifications_active", 0xe7f7},
    {Symbol::drive, "storage", 0xe1db},
    {Symbol::sparkles, "auto_awesome", 0xe65f},
    {Symbol::settings, "settings", 0xe8b8},
    {Symbol::close, "close", 0xe5cd},
    {Symbol::heartbeat, "monitor_heart", 0xeaa2},
    {Symbol::chevronForward, "chevron_right", 0xe5cc},
    {Symbol::chevronBackward, "chevron_left", 0xe5cb},
    {Symbol::terminal, "terminal", 0xeb8e},
    {Symbol::code, "code", 0xe86f},
    {Symbol::checkBox, "check_box", 0xe834},
    {Symbol::info, "info_outline", 0xe88f},
    {Symbol::lock, "lock", 0xe897},
    {Symbol::more, "more_horiz", 0xe5d3},
}};

/// The glyph that draws `symbol`.
constexpr const SymbolGlyph& glyphFor(Symbol symbol) {
    return symbolGlyphs[static_cast<std::size_t>(symbol)];
}

namespace detail {
constexpr bool everySymbolAtItsPlace() {
    for (std::size_t i = 0; i < symbolGlyphs.size(); ++i) {
        if (static_cast<std::size_t>(symbolGlyphs[i].symbol) != i) return false;
    }
    return true;
}
} // namespace detail
static_assert(detail::everySymbolAtItsPlace(), "each row of symbolGlyphs sits at its Symbol's index");

} // namespace corvane
