#pragma once

#include "views/StatBar.h"
#include "views/ViewTint.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace corvane::DashStyle {

// Dashboard: panel, header, home body and footer.

/// The panel: black, dark scheme, corner radius 24.
inline constexpr QColor panelColor{0, 0, 0};
inline constexpr double cornerRadius = 24;
inline constexpr int panelPadding = 16;
inline constexpr int sectionSpacing = 10;
inline constexpr int lineSpacing = 6;

/// The cards that hold the home body's sections.
inline constexpr QColor cardColor{255, 255, 255, 20};
inline constexpr double cardRadius = 14;
inline constexpr int cardPadding = 12;

/// Hover and pressed backgrounds of every control.
inline constexpr QColor hoverColor{255, 255, 255, 30};
inline constexpr QColor pressedColor{255, 255, 255, 48};
inline constexpr double controlRadius = 8;
inline constexpr int controlPadding = 6;

/// Text colours of the dark scheme.
inline constexpr QColor primaryText{255, 255, 255};
inline constexpr QColor secondaryText{255, 255, 255, 150};

/// The system's colours in their dark-scheme variants.
inline constexpr QColor systemGreen{48, 209, 88};
inline constexpr QColor systemOrange{255, 159, 10};
inline constexpr QColor systemRed{255, 69, 58};
inline constexpr QColor systemBlue{10, 132, 255};

/// Bars: their track, height and rounding.
inline constexpr QColor barTrack{255, 255, 255, 36};
inline constexpr int barHeight = 6;

/// The quiet switch.
inline constexpr int switchWidth = 30;
inline constexpr int switchHeight = 18;
inline constexpr int switchKnobInset = 2;
inline constexpr QColor switchOff{255, 255, 255, 60};

/// Font sizes in pixels: header, section titles, body text, notes; icons beside text.
inline constexpr int headerPixels = 14;
inline constexpr int titlePixels = 13;
inline constexpr int bodyPixels = 12;
inline constexpr int notePixels = 11;
inline constexpr int iconPixels = 16;
inline constexpr int headerIconPixels = 18;
/// AI row icons: system font 15 in a 20 × 18 frame.
inline constexpr int rowIconPixels = 15;
inline constexpr int rowIconWidth = 20;
inline constexpr int rowIconHeight = 18;

/// How long a counting number runs to its new value, in milliseconds.
inline constexpr int countingMs = 350;

/// The CJK family the project installs (fonts-wqy-microhei).
inline constexpr const char* textFamily = "WenQuanYi Micro Hei";

inline QFont textFont(int pixels, QFont::Weight weight = QFont::Normal) {
    QFont font(QString::fromUtf8(textFamily));
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

inline QColor color(ViewTint tint) {
    switch (tint) {
    case ViewTint::primary: return primaryText;
    case ViewTint::secondary: return secondaryText;
    case ViewTint::green: return systemGreen;
    case ViewTint::orange: return systemOrange;
    case ViewTint::red: return systemRed;
    case ViewTint::blue: return systemBlue;
    }
    return primaryText;
}

inline QColor color(BarLevel level) {
    return color(tint(level));
}

inline QColor color(SRGBColor c) {
    return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green), static_cast<float>(c.blue));
}

} // namespace corvane::DashStyle

// Optimize and clean screens
namespace corvane::TaskStyle {

/// Row hover, the empty check box's outline and the footer's hairline.
inline const QColor hoverFill{255, 255, 255, 20};
inline const QColor boxOutline{235, 235, 245, 110};
inline const QColor hairline{255, 255, 255, 28};

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
