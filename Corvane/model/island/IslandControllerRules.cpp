#include "island/IslandControllerRules.h"

#include <cmath>
#include <cstdio>

namespace corvane {

bool droppedWhileSuspended(IslandInput input) {
    return input == IslandInput::hoverEnter || input == IslandInput::notchClick || input == IslandInput::iconToggle;
}

std::string islandTraceLine(IslandInput input, IslandPhaseState state) {
    return "[island] " + std::string(rawValue(input)) + " in " + std::string(rawValue(state)) + "\n";
}

std::string islandFirstFrameTraceLine(IslandInput input, double milliseconds) {
    char figure[32];
    std::snprintf(figure, sizeof figure, "%.1f", milliseconds);
    return "[island] first frame " + std::string(figure) + " ms after " + std::string(rawValue(input)) + "\n";
}

namespace {

bool closedOrPending(IslandPhaseState state) {
    return state == IslandPhaseState::idle || state == IslandPhaseState::pendingExpand;
}

bool openByHover(IslandPhaseState state) {
    return state == IslandPhaseState::hoverOpen || state == IslandPhaseState::pendingCollapse;
}

} // namespace

std::optional<IslandInput> hitPanelEnterInput(IslandPhaseState state, bool hoverOpenEnabled) {
    if (closedOrPending(state) && hoverOpenEnabled) return IslandInput::hoverEnter;
    return std::nullopt;
}

std::optional<IslandInput> hitPanelExitInput(IslandPhaseState state) {
    if (closedOrPending(state)) return IslandInput::hoverExit;
    return std::nullopt;
}

std::optional<IslandInput> stripEnterInput(IslandPhaseState state, bool hoverOpenEnabled) {
    if (openByHover(state)) return IslandInput::hoverEnter;
    return hitPanelEnterInput(state, hoverOpenEnabled);
}

std::optional<IslandInput> stripExitInput(IslandPhaseState state) {
    if (openByHover(state)) return IslandInput::hoverExit;
    return hitPanelExitInput(state);
}

std::optional<IslandInput> hoverSyncInput(IslandPhaseState state, bool debugHold, Rect dashboardFrame, Point mouse,
                                          bool onOpener) {
    if (!openByHover(state) || debugHold) return std::nullopt;
    const bool inside = onOpener || dashboardFrame.outset(1).contains(mouse);
    return inside ? IslandInput::hoverEnter : IslandInput::hoverExit;
}

bool mayShowWings(bool suspended, bool dashboardExists, IslandPhaseState state) {
    return !suspended && !dashboardExists && closedOrPending(state);
}

WingsTapAction wingsTapAction(const WingsContent& content) {
    if (content.jump) return {content.jump, false, std::nullopt};
    return {std::nullopt, content.focus == WingsFocus::disk, IslandInput::notchClick};
}

std::optional<std::size_t> activeScreenIndex(const std::vector<Rect>& screenFrames, Point mouse,
                                             std::size_t mainIndex) {
    for (std::size_t i = 0; i < screenFrames.size(); ++i) {
        if (screenFrames[i].containsHalfOpen(mouse)) return i;
    }
    if (mainIndex < screenFrames.size()) return mainIndex;
    if (!screenFrames.empty()) return 0;
    return std::nullopt;
}

bool relayoutNeeded(double newHeight, double currentHeight) {
    return std::abs(newHeight - currentHeight) > 0.5;
}

bool DashGeneration::beginCollapse() {
    if (collapsing_) return false;
    collapsing_ = true;
    ++gen_;
    return true;
}

std::vector<AlertButton> alertButtons(std::string_view confirmTitle, const std::optional<std::string>& secondaryTitle,
                                      bool destructive, bool infoOnly) {
    using Role = AlertButton::Role;
    const std::string confirm(confirmTitle);
    if (infoOnly) return {{confirm, Role::confirm, false}};
    if (secondaryTitle)
        return {
            {confirm, Role::confirm, false}, {*secondaryTitle, Role::secondary, false}, {"取消", Role::cancel, false}};
    if (destructive) return {{"取消", Role::cancel, false}, {confirm, Role::confirm, true}};
    return {{confirm, Role::confirm, false}, {"取消", Role::cancel, false}};
}

} // namespace corvane
