#include "island/ScreenCoordinates.h"

#include <algorithm>

namespace corvane {

double desktopFlipAxis(const std::vector<Rect>& screenGeometries) {
    if (screenGeometries.empty()) return 0;
    double top = screenGeometries.front().minY();
    double bottom = screenGeometries.front().maxY();
    for (const Rect& screen : screenGeometries) {
        top = std::min(top, screen.minY());
        bottom = std::max(bottom, screen.maxY());
    }
    return top + bottom;
}

Rect flipRect(Rect rect, double flipAxis) {
    return {rect.x, flipAxis - rect.y - rect.height, rect.width, rect.height};
}

Point pointFromPixel(double x, double y, double flipAxis) {
    return {x, flipAxis - y - 1};
}

ScreenGeo screenGeoFromWindowSystem(Rect geometry, Rect availableGeometry, double flipAxis) {
    // Only the top of the available area matters: a panel at the bottom or a side leaves the
    // island's place alone.
    const double topPanel = std::clamp(availableGeometry.minY() - geometry.minY(), 0.0, geometry.height);
    const Rect visible{geometry.x, geometry.y + topPanel, geometry.width, geometry.height - topPanel};
    return ScreenGeo::measure(flipRect(geometry, flipAxis), 0, std::nullopt, std::nullopt, flipRect(visible, flipAxis),
                              false);
}

} // namespace corvane
