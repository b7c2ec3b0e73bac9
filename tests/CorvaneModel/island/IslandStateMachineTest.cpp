#include "island/IslandStateMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace corvane {

void PrintTo(const IslandEffect& e, std::ostream* os) {
    *os << "effect" << static_cast<int>(e.kind) << "(" << e.seconds << "," << e.pinned << ")";
}

namespace {

using S = IslandPhaseState;
using I = IslandInput;
using E = IslandEffect;

struct Transition {
    S from;
    I input;
    S to;
    std::vector<IslandEffect> effects;
};

std::string transitionName(const testing::TestParamInfo<Transition>& info) {
    return std::string(rawValue(info.param.from)) + "_" + std::string(rawValue(info.param.input));
}

/// Every listed row of the transition table; rows naming three inputs appear once per input.
std::vector<Transition> listedTransitions() {
    std::vector<Transition> t{
        {S::idle, I::hoverEnter, S::pendingExpand, {E::startExpandTimer(0.18)}},
        {S::pendingCollapse, I::hoverEnter, S::hoverOpen, {E::cancelTimer()}},
        {S::pendingExpand, I::hoverExit, S::idle, {E::cancelTimer()}},
        {S::hoverOpen, I::hoverExit, S::pendingCollapse, {E::startCollapseTimer(0.4)}},
        {S::pendingExpand, I::expandTimerFired, S::hoverOpen, {E::expand()}},
        {S::pendingCollapse, I::collapseTimerFired, S::idle, {E::setPinned(false), E::collapse()}},
        {S::idle, I::notchClick, S::pinned, {E::expand(), E::setPinned(true)}},
        {S::pendingExpand, I::notchClick, S::pinned, {E::cancelTimer(), E::expand(), E::setPinned(true)}},
        {S::hoverOpen, I::notchClick, S::pinned, {E::setPinned(true)}},
        {S::pendingCollapse, I::notchClick, S::pinned, {E::cancelTimer(), E::setPinned(true)}},
        {S::idle, I::iconToggle, S::pinned, {E::expand(), E::setPinned(true)}},
        {S::pendingExpand, I::iconToggle, S::pinned, {E::cancelTimer(), E::expand(), E::setPinned(true)}},
        {S::hoverOpen, I::iconToggle, S::pinned, {E::setPinned(true)}},
        {S::pendingCollapse, I::iconToggle, S::pinned, {E::cancelTimer(), E::setPinned(true)}},
        {S::pinned, I::iconToggle, S::idle, {E::setPinned(false), E::collapse()}},
        {S::hoverOpen, I::interact, S::pinned, {E::setPinned(true)}},
        {S::pendingCollapse, I::interact, S::pinned, {E::cancelTimer(), E::setPinned(true)}},
        {S::pendingExpand, I::forceClose, S::idle, {E::cancelTimer()}},
        {S::hoverOpen, I::forceClose, S::idle, {E::cancelTimer(), E::setPinned(false), E::collapseNow()}},
        {S::pendingCollapse, I::forceClose, S::idle, {E::cancelTimer(), E::setPinned(false), E::collapseNow()}},
        {S::pinned, I::forceClose, S::idle, {E::cancelTimer(), E::setPinned(false), E::collapseNow()}},
    };
    for (I dismiss : {I::escape, I::outsideClick, I::closeRequested}) {
        t.push_back({S::hoverOpen, dismiss, S::idle, {E::setPinned(false), E::collapse()}});
        t.push_back({S::pendingCollapse, dismiss, S::idle, {E::cancelTimer(), E::setPinned(false), E::collapse()}});
        t.push_back({S::pinned, dismiss, S::idle, {E::setPinned(false), E::collapse()}});
    }
    return t;
}

class IslandListedTransition : public testing::TestWithParam<Transition> {};

TEST_P(IslandListedTransition, MovesAndReturnsEffectsInOrder) {
    const Transition& t = GetParam();
    IslandStateMachine sm{t.from};
    EXPECT_EQ(sm.send(t.input), t.effects);
    EXPECT_EQ(sm.state, t.to);
}

INSTANTIATE_TEST_SUITE_P(Table, IslandListedTransition, testing::ValuesIn(listedTransitions()), transitionName);

struct Combination {
    S state;
    I input;
};

std::vector<Combination> unlistedCombinations() {
    const auto listed = listedTransitions();
    std::vector<Combination> out;
    for (S s : allIslandPhaseStates) {
        for (I i : allIslandInputs) {
            const bool isListed = std::any_of(listed.begin(), listed.end(),
                                              [&](const Transition& t) { return t.from == s && t.input == i; });
            if (!isListed) out.push_back({s, i});
        }
    }
    return out;
}

class IslandUnlistedCombination : public testing::TestWithParam<Combination> {};

TEST_P(IslandUnlistedCombination, ChangesNothingAndReturnsNoEffects) {
    IslandStateMachine sm{GetParam().state};
    EXPECT_TRUE(sm.send(GetParam().input).empty());
    EXPECT_EQ(sm.state, GetParam().state);
}

INSTANTIATE_TEST_SUITE_P(Table, IslandUnlistedCombination, testing::ValuesIn(unlistedCombinations()),
                         [](const testing::TestParamInfo<Combination>& info) {
                             return std::string(rawValue(info.param.state)) + "_" +
                                    std::string(rawValue(info.param.input));
                         });

TEST(IslandStateMachineTable, CoversEveryCombinationExactlyOnce) {
    // 30 listed plus 25 unlisted: the two suites above together exercise all 5 × 11 pairs.
    EXPECT_EQ(listedTransitions().size(), 30u);
    EXPECT_EQ(unlistedCombinations().size(), 25u);
}

std::vector<S> statesAfter(IslandStateMachine& sm, std::initializer_list<I> inputs) {
    std::vector<S> states;
    for (I i : inputs) {
        sm.send(i);
        states.push_back(sm.state);
    }
    return states;
}

TEST(IslandStateMachineSequence, QuickEnterAndLeaveNeverExpands) {
    IslandStateMachine sm;
    EXPECT_EQ(sm.send(I::hoverEnter), std::vector{E::startExpandTimer(0.18)});
    EXPECT_EQ(sm.send(I::hoverExit), std::vector{E::cancelTimer()});
    // The cancelled timer's late firing must not open the island.
    EXPECT_TRUE(sm.send(I::expandTimerFired).empty());
    EXPECT_EQ(sm.state, S::idle);
}

TEST(IslandStateMachineSequence, ReenteringWithinGraceKeepsIslandOpenWithoutReexpanding) {
    IslandStateMachine sm;
    sm.send(I::hoverEnter);
    EXPECT_EQ(sm.send(I::expandTimerFired), std::vector{E::expand()});
    EXPECT_EQ(sm.send(I::hoverExit), std::vector{E::startCollapseTimer(0.4)});
    EXPECT_EQ(sm.send(I::hoverEnter), std::vector{E::cancelTimer()});
    EXPECT_EQ(sm.state, S::hoverOpen);
    EXPECT_TRUE(sm.send(I::collapseTimerFired).empty());
    EXPECT_EQ(sm.state, S::hoverOpen);
}

TEST(IslandStateMachineSequence, ClickDuringPendingCollapsePinsWithoutSecondExpansion) {
    IslandStateMachine sm;
    statesAfter(sm, {I::hoverEnter, I::expandTimerFired, I::hoverExit});
    const auto effects = sm.send(I::notchClick);
    EXPECT_EQ(effects, (std::vector{E::cancelTimer(), E::setPinned(true)}));
    EXPECT_EQ(sm.state, S::pinned);
}

TEST(IslandStateMachineSequence, PinnedIgnoresHoverAndSecondClick) {
    IslandStateMachine sm;
    sm.send(I::notchClick);
    EXPECT_EQ(statesAfter(sm, {I::hoverExit, I::hoverEnter, I::notchClick, I::interact, I::collapseTimerFired}),
              std::vector<S>(5, S::pinned));
}

TEST(IslandStateMachineSequence, IconToggleTwiceOpensThenCloses) {
    IslandStateMachine sm;
    EXPECT_EQ(sm.send(I::iconToggle), (std::vector{E::expand(), E::setPinned(true)}));
    EXPECT_EQ(sm.send(I::iconToggle), (std::vector{E::setPinned(false), E::collapse()}));
    EXPECT_EQ(sm.state, S::idle);
}

TEST(IslandStateMachineSequence, HoverNeverPins) {
    IslandStateMachine sm;
    const auto states = statesAfter(sm, {I::hoverEnter, I::expandTimerFired, I::hoverExit, I::hoverEnter, I::hoverExit,
                                         I::collapseTimerFired, I::hoverEnter, I::expandTimerFired});
    EXPECT_EQ(std::count(states.begin(), states.end(), S::pinned), 0);
    EXPECT_EQ(sm.state, S::hoverOpen);
}

TEST(IslandStateMachineSequence, InteractPinsOnlyAnOpenIsland) {
    IslandStateMachine closed;
    EXPECT_TRUE(closed.send(I::interact).empty());
    IslandStateMachine pending;
    pending.send(I::hoverEnter);
    EXPECT_TRUE(pending.send(I::interact).empty());
    EXPECT_EQ(pending.state, S::pendingExpand);
}

TEST(IslandStateMachineSequence, ForceCloseOnlyCancelsWhatExists) {
    IslandStateMachine idle;
    EXPECT_TRUE(idle.send(I::forceClose).empty());
    IslandStateMachine pending;
    pending.send(I::hoverEnter);
    EXPECT_EQ(pending.send(I::forceClose), std::vector{E::cancelTimer()});
    EXPECT_EQ(pending.state, S::idle);
}

TEST(IslandEffectEquality, PayloadTakesPart) {
    EXPECT_NE(E::setPinned(true), E::setPinned(false));
    EXPECT_NE(E::startExpandTimer(0.18), E::startExpandTimer(0.4));
    EXPECT_NE(E::startExpandTimer(0.4), E::startCollapseTimer(0.4));
}

} // namespace
} // namespace corvane
