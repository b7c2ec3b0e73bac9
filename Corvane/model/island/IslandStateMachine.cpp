#include "island/IslandStateMachine.h"

namespace corvane {

std::string_view rawValue(IslandPhaseState state) {
    switch (state) {
    case IslandPhaseState::idle: return "idle";
    case IslandPhaseState::pendingExpand: return "pendingExpand";
    case IslandPhaseState::hoverOpen: return "hoverOpen";
    case IslandPhaseState::pendingCollapse: return "pendingCollapse";
    case IslandPhaseState::pinned: return "pinned";
    }
    return "idle";
}

std::string_view rawValue(IslandInput input) {
    switch (input) {
    case IslandInput::hoverEnter: return "hoverEnter";
    case IslandInput::hoverExit: return "hoverExit";
    case IslandInput::expandTimerFired: return "expandTimerFired";
    case IslandInput::collapseTimerFired: return "collapseTimerFired";
    case IslandInput::notchClick: return "notchClick";
    case IslandInput::iconToggle: return "iconToggle";
    case IslandInput::interact: return "interact";
    case IslandInput::escape: return "escape";
    case IslandInput::outsideClick: return "outsideClick";
    case IslandInput::closeRequested: return "closeRequested";
    case IslandInput::forceClose: return "forceClose";
    }
    return "hoverEnter";
}

std::vector<IslandEffect> IslandStateMachine::send(IslandInput input) {
    using E = IslandEffect;
    using S = IslandPhaseState;
    const auto to = [this](S next, std::vector<IslandEffect> effects) {
        state = next;
        return effects;
    };
    const bool dismiss =
        input == IslandInput::escape || input == IslandInput::outsideClick || input == IslandInput::closeRequested;
    const bool pinByClick = input == IslandInput::notchClick || input == IslandInput::iconToggle;

    switch (state) {
    case S::idle:
        if (input == IslandInput::hoverEnter)
            return to(S::pendingExpand, {E::startExpandTimer(islandExpandDelaySeconds)});
        if (pinByClick) return to(S::pinned, {E::expand(), E::setPinned(true)});
        break;
    case S::pendingExpand:
        if (input == IslandInput::hoverExit) return to(S::idle, {E::cancelTimer()});
        if (input == IslandInput::expandTimerFired) return to(S::hoverOpen, {E::expand()});
        if (pinByClick) return to(S::pinned, {E::cancelTimer(), E::expand(), E::setPinned(true)});
        if (input == IslandInput::forceClose) return to(S::idle, {E::cancelTimer()});
        break;
    case S::hoverOpen:
        if (input == IslandInput::hoverExit)
            return to(S::pendingCollapse, {E::startCollapseTimer(islandCollapseGraceSeconds)});
        if (pinByClick || input == IslandInput::interact) return to(S::pinned, {E::setPinned(true)});
        if (dismiss) return to(S::idle, {E::setPinned(false), E::collapse()});
        if (input == IslandInput::forceClose)
            return to(S::idle, {E::cancelTimer(), E::setPinned(false), E::collapseNow()});
        break;
    case S::pendingCollapse:
        if (input == IslandInput::hoverEnter) return to(S::hoverOpen, {E::cancelTimer()});
        if (input == IslandInput::collapseTimerFired) return to(S::idle, {E::setPinned(false), E::collapse()});
        if (pinByClick || input == IslandInput::interact) return to(S::pinned, {E::cancelTimer(), E::setPinned(true)});
        if (dismiss) return to(S::idle, {E::cancelTimer(), E::setPinned(false), E::collapse()});
        if (input == IslandInput::forceClose)
            return to(S::idle, {E::cancelTimer(), E::setPinned(false), E::collapseNow()});
        break;
    case S::pinned:
        if (input == IslandInput::iconToggle || dismiss) return to(S::idle, {E::setPinned(false), E::collapse()});
        if (input == IslandInput::forceClose)
            return to(S::idle, {E::cancelTimer(), E::setPinned(false), E::collapseNow()});
        break;
    }
    return {};
}

} // namespace corvane
