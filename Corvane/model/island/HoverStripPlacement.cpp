#include "island/HoverStripPlacement.h"

#include "island/IslandGeometry.h"

#include <algorithm>

namespace corvane {

HoverStripPlacement hoverStripPlacement(double screenLeft, double screenWidth, double topPanel) {
    topPanel = std::max(topPanel, 0.0);
    // Only the horizontal placement of the pill is taken from the island's geometry; the frame's
    // height merely has to hold the top panel.
    const double height = topPanel + 1000;
    const ScreenGeo screen = ScreenGeo::measure({screenLeft, 0, screenWidth, height}, 0, std::nullopt, std::nullopt,
                                                {screenLeft, 0, screenWidth, height - topPanel}, true);
    const Rect pill = screen.layout(0, false, true).rect;
    return {pill.x, pill.width, topPanel, hoverStripHeight};
}

} // namespace corvane
