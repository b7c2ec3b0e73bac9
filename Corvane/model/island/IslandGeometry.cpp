#include "island/IslandGeometry.h"

#include "wings/TextWidth.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr double floatingHeader = 36;
constexpr double unknownNotchWidth = 180;
constexpr double wingWidths = 120;
constexpr double pillWidth = 132;
constexpr double pillHeight = 36;
constexpr double floatingGapBelowTopPanel = 6;
constexpr double expandedCornerRadius = 24;
constexpr double minimumBodyHeight = 120;
constexpr double screenMargin = 80;
constexpr double wingsSymbolAndPadding = 22 + 24;

} // namespace

ScreenGeo ScreenGeo::measure(Rect frame, double safeTop, std::optional<Rect> auxiliaryTopLeft,
                             std::optional<Rect> auxiliaryTopRight, Rect visibleFrame, bool forceFloating) {
    ScreenGeo geo;
    geo.frame = frame;
    geo.safeTop = safeTop;
    if (safeTop > 0 && auxiliaryTopLeft && auxiliaryTopRight) {
        geo.notchLeft = auxiliaryTopLeft->maxX();
        geo.notchRight = auxiliaryTopRight->minX();
    }
    geo.menuBar = frame.maxY() - visibleFrame.maxY();
    geo.style = safeTop > 0 && !forceFloating ? IslandStyle::notch : IslandStyle::floating;
    geo.header = geo.style == IslandStyle::notch ? safeTop : floatingHeader;
    geo.notchWidth = geo.hasNotchEdges() ? *geo.notchRight - *geo.notchLeft : unknownNotchWidth;
    return geo;
}

double ScreenGeo::dashboardWidth() const {
    return std::min(frame.width - 24, 640.0);
}

IslandLayout ScreenGeo::layout(double expandedHeightValue, bool expanded, bool forceFloating) const {
    const bool floating = forceFloating || safeTop <= 0;
    const double centre = !floating && hasNotchEdges() ? (*notchLeft + *notchRight) / 2 : frame.midX();

    IslandLayout result;
    result.style = floating ? IslandStyle::floating : IslandStyle::notch;
    result.phase = expanded ? IslandPhase::expanded : IslandPhase::compact;
    result.attachedToTop = !floating;
    double width = 0;
    double height = 0;
    if (expanded) {
        width = dashboardWidth();
        height = expandedHeightValue;
        result.cornerRadius = expandedCornerRadius;
    } else {
        width = floating ? pillWidth : notchWidth + wingWidths;
        height = floating ? pillHeight : safeTop;
        result.cornerRadius = compactCornerRadius(result.style);
    }
    const double y = floating ? frame.maxY() - menuBar - floatingGapBelowTopPanel - height : frame.maxY() - height;
    result.rect = {centre - width / 2, y, width, height};
    return result;
}

Rect ScreenGeo::expansionStartRect(const IslandLayout& target) const {
    if (target.style == IslandStyle::floating || !hasNotchEdges()) {
        return {target.rect.midX() - pillWidth / 2, target.rect.maxY() - pillHeight, pillWidth, pillHeight};
    }
    return {*notchLeft, frame.maxY() - safeTop, notchWidth, safeTop};
}

Rect ScreenGeo::wingsRect(std::string_view floatingText, bool forceFloating) const {
    const IslandLayout compact = layout(0, false, forceFloating);
    if (compact.style == IslandStyle::notch) return compact.rect;
    const double width = std::max(estimatedTextWidth(floatingText) + wingsSymbolAndPadding, pillWidth);
    return {compact.rect.midX() - width / 2, compact.rect.minY(), width, compact.rect.height};
}

std::optional<Rect> ScreenGeo::hitPanelRect() const {
    if (safeTop <= 0 || !hasNotchEdges() || !(*notchLeft < *notchRight)) return std::nullopt;
    return Rect{*notchLeft, frame.maxY() - safeTop, *notchRight - *notchLeft, safeTop};
}

double compactCornerRadius(IslandStyle style) {
    return style == IslandStyle::floating ? 18 : 14;
}

double expandedHeight(double fittingHeight, double header, double screenHeight, bool cleanView) {
    const double floor = header + minimumBodyHeight;
    const double cap = cleanView ? 520 : 480;
    return std::min(std::max(std::ceil(fittingHeight), floor),
                    std::min(std::max(floor, screenHeight - screenMargin), cap));
}

} // namespace corvane
