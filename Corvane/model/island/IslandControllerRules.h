#pragma once

#include "island/IslandStateMachine.h"
#include "island/Rect.h"
#include "wings/WingsContent.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The decisions of the island controller that need no window system, so the front end only
/// wires events and performs effects.

/// Timing of the island's animations and deferred work, in seconds.
namespace IslandTiming {
inline constexpr double frameSeconds = 0.32;
inline constexpr double fadeInSeconds = 0.22;
inline constexpr double fadeOutSeconds = 0.16;
inline constexpr double reduceMotionFadeSeconds = 0.2;
inline constexpr double relayoutSeconds = 0.25;
inline constexpr double wingsFadeInSeconds = 0.2;
inline constexpr double wingsFadeOutSeconds = 0.3;
/// How long a wings notice stays in a normal run.
inline constexpr double wingsHoldSeconds = 20;
/// Delay before freed memory is handed back to the system after the dashboard closes.
inline constexpr double memoryReliefDelaySeconds = 0.5;
/// The cubic timing curve's control points (x1, y1, x2, y2).
inline constexpr double curve[4] = {0.4, 0.0, 0.2, 1.0};
} // namespace IslandTiming

/// True for the inputs dropped while the screens or the machine sleep or the screen is locked:
/// `hoverEnter`, `notchClick` and `iconToggle`. Closing inputs always pass.
bool droppedWhileSuspended(IslandInput input);

/// The developer trace line for `input` arriving in `state`: "[island] <input> in <state>\n".
std::string islandTraceLine(IslandInput input, IslandPhaseState state);

/// The developer trace line for the dashboard's first painted frame, `milliseconds` after the
/// input that opened it: "[island] first frame <ms, one decimal> ms after <input>\n".
std::string islandFirstFrameTraceLine(IslandInput input, double milliseconds);

/// The input a pointer entering the hit panel raises: `hoverEnter` only while the island is
/// closed or about to open and hover-opening is enabled; absent otherwise.
std::optional<IslandInput> hitPanelEnterInput(IslandPhaseState state, bool hoverOpenEnabled);

/// The input a pointer leaving the hit panel raises: `hoverExit` only while closed or about to
/// open (the open dashboard reports its own exits); absent otherwise.
std::optional<IslandInput> hitPanelExitInput(IslandPhaseState state);

/// The hover strip (where no tray exists) opens the island like the hit panel, but the dashboard
/// it opens does not cover it: while the island is open by hover, the pointer on the strip counts
/// as on the dashboard, so the strip then reports its own entries (`hoverEnter`) and exits
/// (`hoverExit`). Otherwise as `hitPanelEnterInput` and `hitPanelExitInput`.
std::optional<IslandInput> stripEnterInput(IslandPhaseState state, bool hoverOpenEnabled);
std::optional<IslandInput> stripExitInput(IslandPhaseState state);

/// After an expansion finishes: `hoverEnter` when the pointer is within the dashboard frame grown
/// by one point or on the window that opened it (`onOpener`: the hover strip), `hoverExit`
/// otherwise; absent unless the island is open by hover and the developer hold is off.
std::optional<IslandInput> hoverSyncInput(IslandPhaseState state, bool debugHold, Rect dashboardFrame, Point mouse,
                                          bool onOpener = false);

/// Whether a wings notice may appear: not while suspended, not while a dashboard exists, and not
/// while the island is open or pinned.
bool mayShowWings(bool suspended, bool dashboardExists, IslandPhaseState state);

/// What a tap on a wings notice does: jump to its session when it has one; otherwise set the
/// disk focus when the notice is about the disk, then open and pin the dashboard (`notchClick`).
struct WingsTapAction {
    std::optional<SessionRef> jump;
    bool setDiskFocus{false};
    /// Present exactly when there is no jump target.
    std::optional<IslandInput> input;

    bool operator==(const WingsTapAction&) const = default;
};
WingsTapAction wingsTapAction(const WingsContent& content);

/// The screen the island uses: the first, in the system's order, whose frame contains the
/// pointer (half-open: a shared edge belongs to the screen right of or above it); otherwise the
/// main screen. Absent when there are no screens.
std::optional<std::size_t> activeScreenIndex(const std::vector<Rect>& screenFrames, Point mouse, std::size_t mainIndex);

/// True when a relayout must move the panel: the heights differ by more than half a point.
bool relayoutNeeded(double newHeight, double currentHeight);

/// Tracks one open dashboard's animation generation, so that a completion started before a
/// collapse is recognised as stale and a second collapse does nothing. Main thread only.
class DashGeneration {
public:
    /// The generation a just-started animation should carry.
    int current() const { return gen_; }
    bool collapsing() const { return collapsing_; }
    /// Starts collapsing and advances the generation; false (and no change) when already collapsing.
    bool beginCollapse();
    /// Advances the generation without collapsing (a relayout or a new animation).
    void advance() { ++gen_; }
    /// True when a completion carrying `gen` still applies.
    bool isCurrent(int gen) const { return gen == gen_ && !collapsing_; }

private:
    int gen_{0};
    bool collapsing_{false};
};

/// One button of a confirmation alert, in display order.
struct AlertButton {
    enum class Role { confirm, secondary, cancel };

    std::string title;
    Role role{Role::cancel};
    bool destructive{false};

    bool operator==(const AlertButton&) const = default;
};

/// The alert's buttons: only the confirm button for an information alert; confirm, secondary,
/// "取消" with a secondary title; "取消" then a destructive confirm for a destructive alert;
/// otherwise confirm, "取消".
std::vector<AlertButton> alertButtons(std::string_view confirmTitle, const std::optional<std::string>& secondaryTitle,
                                      bool destructive, bool infoOnly);

} // namespace corvane
