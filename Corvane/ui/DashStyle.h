#pragma once

#include <QColor>

// Optimize and clean screens
namespace corvane::TaskStyle {

/// Texts on the black panel.
inline const QColor primaryText{255, 255, 255};
inline const QColor secondaryText{235, 235, 245, 153};
/// Row hover, the empty check box's outline and the footer's hairline.
inline const QColor hoverFill{255, 255, 255, 20};
inline const QColor boxOutline{235, 235, 245, 110};
inline const QColor hairline{255, 255, 255, 28};
/// The system colours of the dark scheme.
inline const QColor blue{10, 132, 255};
inline const QColor orange{255, 159, 10};

/// Pixel sizes of the fonts.
inline constexpr int titlePixels = 14;
inline constexpr int rowPixels = 13;
inline constexpr int notePixels = 11;
inline constexpr int iconPixels = 18;
inline constexpr int noteIconPixels = 13;

/// Space around the screen, between its parts, and inside rows.
inline constexpr int margin = 14;
inline constexpr int spacing = 8;
inline constexpr int rowPadding = 8;
inline constexpr int rowRadius = 8;
inline constexpr int iconColumn = 26;

/// The primary button and the rows' more-actions button.
inline constexpr int buttonHeight = 28;
inline constexpr int buttonRadius = 7;
inline constexpr int buttonPadding = 14;
inline constexpr int moreButtonSize = 26;
/// The list's thin scroll bar.
inline constexpr int scrollBarWidth = 6;

} // namespace corvane::TaskStyle
