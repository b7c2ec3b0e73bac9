#pragma once

namespace corvane {

/// Where the hover strip goes on a screen: horizontally like the floating island's compact pill,
/// in the same horizontal coordinates as the screen's left edge; vertically as a distance below
/// the screen's top edge, which reads the same whichever way a platform counts y.
struct HoverStripPlacement {
    double x{};
    double width{};
    double belowTop{};
    double height{};

    bool operator==(const HoverStripPlacement&) const = default;
};

/// Height of the hover strip: thin enough to leave the windows beneath usable, tall enough to
/// be met by a pointer pushed against the top panel.
inline constexpr double hoverStripHeight = 5;

/// The strip of a screen whose left edge is at `screenLeft`, `screenWidth` wide, with a top
/// panel `topPanel` high: as wide as the floating compact pill and centred like it, right under
/// the top panel (a negative panel height counts as none). Pure.
HoverStripPlacement hoverStripPlacement(double screenLeft, double screenWidth, double topPanel);

} // namespace corvane
