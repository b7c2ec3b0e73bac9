#pragma once

#include "island/IslandGeometry.h"

#include <functional>
#include <optional>
#include <string>

namespace corvane {

/// What the island hands the dashboard: its style and layout numbers and the callbacks its
/// controls use. Main thread only.
struct DashboardContext {
    IslandStyle style{IslandStyle::floating};
    double headerHeight{};
    double notchWidth{};
    double width{};
    std::function<void()> onClose;
    std::function<void()> onSettings;
    std::function<void()> onActivityMonitor;
    std::function<void()> onInteract;
    std::function<void()> onLayoutChange;
    /// When set, animations are frozen at this frame (off-screen snapshots).
    std::optional<double> animFrame;
    /// When set, the row or stat with this identifier is drawn hovered (off-screen snapshots).
    std::optional<std::string> hoverDemo;
};

/// A context with the screen's style, header height, notch width and dashboard width; the
/// callbacks are left empty for the caller to fill.
DashboardContext dashboardContext(const ScreenGeo& geo);

/// Which corners of the dashboard are rounded (radius 24): all four when floating, only the two
/// bottom ones in notch style, whose top edge is flush with the screen top.
enum class RoundedCorners { all, bottomOnly };
RoundedCorners dashboardRoundedCorners(IslandStyle style);

} // namespace corvane
