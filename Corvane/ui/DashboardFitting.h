#pragma once

#include "island/IslandGeometry.h"

#include <QWidget>

#include <cmath>

namespace corvane {

/// Sizes freshly built dashboard `content` to `width` and the height the island opens it at on
/// `geo` (its fitting height, clamped to the screen; the clean screen keeps its own rule), and
/// returns that height.
inline double fitDashboard(QWidget& content, double width, const ScreenGeo& geo, bool cleanView) {
    const int pixelWidth = static_cast<int>(std::lround(width));
    content.resize(pixelWidth, content.sizeHint().height());
    const double height =
        expandedHeight(std::ceil(content.sizeHint().height()), geo.header, geo.frame.height, cleanView);
    content.resize(pixelWidth, static_cast<int>(std::lround(height)));
    return height;
}

} // namespace corvane
