#pragma once

#include "wings/WingsContent.h"

#include <QColor>

namespace corvane::IslandLook {

/// The island's panels are black in every style.
inline constexpr QColor panelColor{0, 0, 0};

/// Wings notices: symbol and text sizes in pixels, the white text, and the gap between symbol
/// and text in the floating style.
inline constexpr int wingsSymbolPixels = 14;
inline constexpr int wingsTextPixels = 13;
inline constexpr QColor wingsTextColor{255, 255, 255};
inline constexpr int wingsSymbolTextGap = 6;
/// Width of each wing beside the housing in the notch style.
inline constexpr int wingWidth = 60;

/// The system's blue, orange, red and green in a dark colour scheme.
inline constexpr QColor tintColor(WingsContent::Tint tint) {
    switch (tint) {
    case WingsContent::Tint::blue: return {10, 132, 255};
    case WingsContent::Tint::orange: return {255, 159, 10};
    case WingsContent::Tint::red: return {255, 69, 58};
    case WingsContent::Tint::green: return {48, 209, 88};
    }
    return {255, 255, 255};
}

} // namespace corvane::IslandLook
