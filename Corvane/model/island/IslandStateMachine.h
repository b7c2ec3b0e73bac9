#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace corvane {

/// Where the island stands between closed and pinned open.
enum class IslandPhaseState { idle, pendingExpand, hoverOpen, pendingCollapse, pinned };

/// Everything that can happen to the island, as raised by its controller.
enum class IslandInput {
    hoverEnter,
    hoverExit,
    expandTimerFired,
    collapseTimerFired,
    notchClick,
    iconToggle,
    interact,
    escape,
    outsideClick,
    closeRequested,
    forceClose
};

/// Every state and every input, in declaration order.
inline constexpr std::array<IslandPhaseState, 5> allIslandPhaseStates{
    IslandPhaseState::idle, IslandPhaseState::pendingExpand, IslandPhaseState::hoverOpen,
    IslandPhaseState::pendingCollapse, IslandPhaseState::pinned};
inline constexpr std::array<IslandInput, 11> allIslandInputs{
    IslandInput::hoverEnter,         IslandInput::hoverExit,  IslandInput::expandTimerFired,
    IslandInput::collapseTimerFired, IslandInput::notchClick, IslandInput::iconToggle,
    IslandInput::interact,           IslandInput::escape,     IslandInput::outsideClick,
    IslandInput::closeRequested,     IslandInput::forceClose};

/// The case names, e.g. "pendingExpand" and "hoverEnter".
std::string_view rawValue(IslandPhaseState state);
std::string_view rawValue(IslandInput input);

/// One thing the controller must do. `seconds` is meaningful for the two timer starts and
/// `pinned` for `setPinned`; both stay zero/false for the other kinds, so equality is exact.
struct IslandEffect {
    enum class Kind { startExpandTimer, startCollapseTimer, setPinned, cancelTimer, expand, collapse, collapseNow };

    Kind kind{Kind::cancelTimer};
    double seconds{};
    bool pinned{};

    static IslandEffect startExpandTimer(double seconds) { return {Kind::startExpandTimer, seconds, false}; }
    static IslandEffect startCollapseTimer(double seconds) { return {Kind::startCollapseTimer, seconds, false}; }
    static IslandEffect setPinned(bool pinned) { return {Kind::setPinned, 0, pinned}; }
    static IslandEffect cancelTimer() { return {Kind::cancelTimer, 0, false}; }
    static IslandEffect expand() { return {Kind::expand, 0, false}; }
    static IslandEffect collapse() { return {Kind::collapse, 0, false}; }
    static IslandEffect collapseNow() { return {Kind::collapseNow, 0, false}; }

    bool operator==(const IslandEffect&) const = default;
};

/// The hover delay before the island opens, and the grace delay before a hover-opened island closes.
inline constexpr double islandExpandDelaySeconds = 0.18;
inline constexpr double islandCollapseGraceSeconds = 0.4;

/// Decides when the island opens, closes and pins. A plain value: no windows, timers or screens.
struct IslandStateMachine {
    IslandPhaseState state{IslandPhaseState::idle};

    /// Applies `input` and returns the effects to perform, in order. An input that does not apply
    /// in the current state leaves `state` unchanged and returns no effects.
    std::vector<IslandEffect> send(IslandInput input);
};

} // namespace corvane
