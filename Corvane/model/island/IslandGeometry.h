#pragma once

#include "island/Rect.h"

#include <optional>
#include <string_view>

namespace corvane {

/// `notch`: attached to the top edge around the camera housing; `floating`: a pill below the top panel.
enum class IslandStyle { notch, floating };

/// Whether a panel geometry is the small resting shape or the open dashboard.
enum class IslandPhase { compact, expanded };

/// One panel geometry in screen coordinates.
struct IslandLayout {
    Rect rect;
    bool attachedToTop{false};
    double cornerRadius{};
    IslandStyle style{IslandStyle::floating};
    IslandPhase phase{IslandPhase::compact};

    bool operator==(const IslandLayout&) const = default;
};

/// The island's measurements of one screen.
struct ScreenGeo {
    /// The screen's frame (bottom-left origin, points).
    Rect frame;
    /// Height of the camera housing; 0 on screens without one.
    double safeTop{};
    /// Left and right edges of the housing; both present or both absent.
    std::optional<double> notchLeft;
    std::optional<double> notchRight;
    /// Height of the desktop's top panel: frame top minus visible-frame top.
    double menuBar{};
    IslandStyle style{IslandStyle::floating};
    /// Height of the dashboard's header row.
    double header{};
    /// Housing width, or 180 when the edges are unknown.
    double notchWidth{};

    /// Measures a screen from its frame, top safe-area inset, the two auxiliary top areas beside
    /// the housing (when the screen reports them) and its visible frame. The notch edges are kept
    /// only when `safeTop` > 0 and both areas are known; the style is notch only when `safeTop` > 0
    /// and `forceFloating` is false.
    static ScreenGeo measure(Rect frame, double safeTop, std::optional<Rect> auxiliaryTopLeft,
                             std::optional<Rect> auxiliaryTopRight, Rect visibleFrame, bool forceFloating);

    /// True when both notch edges are known.
    bool hasNotchEdges() const { return notchLeft.has_value() && notchRight.has_value(); }

    /// The compact or expanded panel geometry on this screen; floating when `forceFloating` is true
    /// or the screen has no housing. `expandedHeight` is used only when `expanded`.
    IslandLayout layout(double expandedHeight, bool expanded, bool forceFloating) const;

    /// Width of the open dashboard: min(screen width − 24, 640).
    double dashboardWidth() const;

    /// The rectangle an expansion grows from (and a collapse shrinks back to): a 132 × 36 pill
    /// centred on `target` and touching its top when the target floats or the notch edges are
    /// unknown; otherwise the camera housing itself.
    Rect expansionStartRect(const IslandLayout& target) const;

    /// Where a wings notice goes: the compact layout; in floating style as wide as the floating
    /// text needs (at least 132), centred on the compact layout with its bottom and height.
    Rect wingsRect(std::string_view floatingText, bool forceFloating) const;

    /// The invisible panel over the camera housing, present only when this measurement (taken
    /// without forced floating) has a housing with both edges known and left < right.
    std::optional<Rect> hitPanelRect() const;
};

/// Corner radius of the compact shape: 18 floating, 14 notch.
double compactCornerRadius(IslandStyle style);

/// The open dashboard's height for content that wants `fittingHeight`: at least `header` + 120,
/// at most the screen height − 80 (never below `header` + 120) and at most 520 in the clean view,
/// 480 otherwise.
double expandedHeight(double fittingHeight, double header, double screenHeight, bool cleanView);

} // namespace corvane
