#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace corvane {

/// Where the icon font is installed (Debian package fonts-material-design-icons-iconfont).
inline constexpr std::string_view materialIconsFontPath =
    "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf";

/// One symbol name as the views use it, and the Material Icons glyph that draws it.
struct SymbolGlyph {
    std::string_view symbol;
    /// The glyph's name in the font's codepoints list.
    std::string_view glyphName;
    char32_t codepoint{};
};

/// Every symbol name the views, wings and status item use, with its glyph.
inline constexpr std::array<SymbolGlyph, 19> symbolGlyphs{{
    {"memorychip", "memory", 0xe322},
    {"exclamationmark.triangle", "warning_amber", 0xf083},
    {"exclamationmark.triangle.fill", "warning", 0xe002},
    {"xmark.octagon.fill", "dangerous", 0xe99a},
    {"checkmark.circle.fill", "check_circle", 0xe86c},
    {"bell.badge.fill", "notifications_active", 0xe7f7},
    {"internaldrive.fill", "storage", 0xe1db},
    {"sparkles", "auto_awesome", 0xe65f},
    {"gearshape", "settings", 0xe8b8},
    {"xmark", "close", 0xe5cd},
    {"waveform.path.ecg", "monitor_heart", 0xeaa2},
    {"chevron.right", "chevron_right", 0xe5cc},
    {"chevron.backward", "chevron_left", 0xe5cb},
    {"terminal.fill", "terminal", 0xeb8e},
    {"chevron.left.forwardslash.chevron.right", "code", 0xe86f},
    {"checkmark.square.fill", "check_box", 0xe834},
    {"info.circle", "info_outline", 0xe88f},
    {"lock.fill", "lock", 0xe897},
    {"ellipsis", "more_horiz", 0xe5d3},
}};

/// The glyph for a symbol name; absent for a name the table does not know.
std::optional<SymbolGlyph> glyphForSymbol(std::string_view symbol);

} // namespace corvane
