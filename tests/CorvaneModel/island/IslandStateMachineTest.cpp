#include "island/IslandStateMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
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

/// One input of a sequence, with the effects it must return and the state it must leave.
struct Step {
    I input;
    std::vector<IslandEffect> effects;
    S after;
};

/// Paths a user takes from a closed island: hover alone never pins, late timer firings change
/// nothing, clicks pin without a second expansion, and closing cancels only what exists.
TEST(IslandStateMachineSequence, EveryStepReturnsItsEffectsAndState) {
    const auto enter = Step{I::hoverEnter, {E::startExpandTimer(0.18)}, S::pendingExpand};
    const auto open = Step{I::expandTimerFired, {E::expand()}, S::hoverOpen};
    const auto leave = Step{I::hoverExit, {E::startCollapseTimer(0.4)}, S::pendingCollapse};
    const auto reenter = Step{I::hoverEnter, {E::cancelTimer()}, S::hoverOpen};
    const auto pin = Step{I::notchClick, {E::expand(), E::setPinned(true)}, S::pinned};
    const std::pair<const char*, std::vector<Step>> table[] = {
        {"quick enter and leave never expands",
         {enter, {I::hoverExit, {E::cancelTimer()}, S::idle}, {I::expandTimerFired, {}, S::idle}}},
        {"re-entering in time stays open", {enter, open, leave, reenter, {I::collapseTimerFired, {}, S::hoverOpen}}},
        {"click while collapsing pins without a second expansion",
         {enter, open, leave, {I::notchClick, {E::cancelTimer(), E::setPinned(true)}, S::pinned}}},
        {"pinned ignores hover and a second click",
         {pin, {I::hoverExit, {}, S::pinned}, {I::hoverEnter, {}, S::pinned}, {I::notchClick, {}, S::pinned},
          {I::interact, {}, S::pinned}, {I::collapseTimerFired, {}, S::pinned}}},
        {"icon toggle twice opens then closes",
         {{I::iconToggle, {E::expand(), E::setPinned(true)}, S::pinned},
          {I::iconToggle, {E::setPinned(false), E::collapse()}, S::idle}}},
        {"hover never pins",
         {enter, open, leave, reenter, leave, {I::collapseTimerFired, {E::setPinned(false), E::collapse()}, S::idle},
          enter, open}},
        {"interact on a closed island", {{I::interact, {}, S::idle}}},
        {"interact while pending", {enter, {I::interact, {}, S::pendingExpand}}},
        {"force close of a closed island", {{I::forceClose, {}, S::idle}}},
        {"force close while pending", {enter, {I::forceClose, {E::cancelTimer()}, S::idle}}},
    };
    for (const auto& [name, steps] : table) {
        IslandStateMachine sm;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            EXPECT_EQ(sm.send(steps[i].input), steps[i].effects) << name << ", step " << i;
            EXPECT_EQ(sm.state, steps[i].after) << name << ", step " << i;
        }
    }
}

TEST(IslandEffectEquality, PayloadTakesPart) {
    EXPECT_NE(E::setPinned(true), E::setPinned(false));
    EXPECT_NE(E::startExpandTimer(0.18), E::startExpandTimer(0.4));
    EXPECT_NE(E::startExpandTimer(0.4), E::startCollapseTimer(0.4));
}

} // namespace
} // namespace corvane
