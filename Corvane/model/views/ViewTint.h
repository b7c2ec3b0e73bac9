#pragma once

#include "symbols/Symbol.h"

namespace corvane {

/// The colours views draw icons and texts in; the front end maps them to its palette
/// (green, orange, red and blue are the system's own).
enum class ViewTint { primary, secondary, green, orange, red, blue };

/// An exact colour in sRGB components, 0…1.
struct SRGBColor {
    double red{};
    double green{};
    double blue{};

    bool operator==(const SRGBColor&) const = default;
};

/// An icon and its colour.
struct TintedSymbol {
    Symbol symbol{};
    ViewTint tint{ViewTint::primary};

    bool operator==(const TintedSymbol&) const = default;
};

/// Opacity of a primary button that cannot be used.
inline constexpr double disabledButtonOpacity = 0.35;

} // namespace corvane
