#include "island/IslandControllerRules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using S = IslandPhaseState;
using I = IslandInput;

TEST(IslandSuspension, DropsOnlyOpeningInputs) {
    std::vector<I> dropped;
    for (I input : allIslandInputs) {
        if (droppedWhileSuspended(input)) dropped.push_back(input);
    }
    EXPECT_EQ(dropped, (std::vector{I::hoverEnter, I::notchClick, I::iconToggle}));
}

TEST(IslandSuspension, LockedScreenIgnoresHoverUntilUnlocked) {
    // The controller filters before the machine sees the input.
    IslandStateMachine sm;
    const auto feed = [&](I input, bool suspended) {
        if (!(suspended && droppedWhileSuspended(input))) sm.send(input);
    };
    feed(I::hoverEnter, true);
    EXPECT_EQ(sm.state, S::idle);
    feed(I::hoverEnter, false);
    EXPECT_EQ(sm.state, S::pendingExpand);
}

TEST(IslandTrace, NamesInputAndStateBefore) {
    EXPECT_EQ(islandTraceLine(I::outsideClick, S::pinned), "[island] outsideClick in pinned\n");
    EXPECT_EQ(islandFirstFrameTraceLine(I::iconToggle, 23.46), "[island] first frame 23.5 ms after iconToggle\n");
    EXPECT_EQ(islandFirstFrameTraceLine(I::expandTimerFired, 1234.0),
              "[island] first frame 1234.0 ms after expandTimerFired\n");
}

TEST(HitPanelInputs, OnlyWhileClosedOrPending) {
    EXPECT_EQ(hitPanelEnterInput(S::idle, true), I::hoverEnter);
    EXPECT_EQ(hitPanelEnterInput(S::pendingExpand, true), I::hoverEnter);
    EXPECT_EQ(hitPanelEnterInput(S::idle, false), std::nullopt);
    EXPECT_EQ(hitPanelExitInput(S::pendingExpand), I::hoverExit);
    for (S open : {S::hoverOpen, S::pendingCollapse, S::pinned}) {
        EXPECT_EQ(hitPanelEnterInput(open, true), std::nullopt);
        EXPECT_EQ(hitPanelExitInput(open), std::nullopt);
    }
}

TEST(HitPanelInputs, TheStripAlsoReportsThePointerWhileTheIslandIsOpenByHover) {
    struct Case {
        S state;
        bool hoverOpenEnabled;
        std::optional<I> enter, exit;
    };
    const Case cases[] = {
        {S::idle, true, I::hoverEnter, I::hoverExit},
        {S::idle, false, std::nullopt, I::hoverExit},
        {S::pendingExpand, true, I::hoverEnter, I::hoverExit},
        // The dashboard does not cover the strip: resting there or leaving it is hover on the island.
        {S::hoverOpen, true, I::hoverEnter, I::hoverExit},
        {S::pendingCollapse, true, I::hoverEnter, I::hoverExit},
        {S::pendingCollapse, false, I::hoverEnter, I::hoverExit},
        {S::pinned, true, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stripEnterInput(c.state, c.hoverOpenEnabled), c.enter) << rawValue(c.state);
        EXPECT_EQ(stripExitInput(c.state), c.exit) << rawValue(c.state);
    }
}

TEST(HoverSync, UsesFrameGrownByOnePoint) {
    const Rect frame{100, 100, 200, 100};
    EXPECT_EQ(hoverSyncInput(S::hoverOpen, false, frame, {99, 150}), I::hoverEnter);
    EXPECT_EQ(hoverSyncInput(S::pendingCollapse, false, frame, {301, 201}), I::hoverEnter);
    EXPECT_EQ(hoverSyncInput(S::hoverOpen, false, frame, {98.9, 150}), I::hoverExit);
    EXPECT_EQ(hoverSyncInput(S::hoverOpen, false, frame, {200, 201.5}), I::hoverExit);
    EXPECT_EQ(hoverSyncInput(S::pinned, false, frame, {150, 150}), std::nullopt);
    EXPECT_EQ(hoverSyncInput(S::hoverOpen, true, frame, {150, 150}), std::nullopt);
    // On the strip above the dashboard, beyond the grown frame.
    EXPECT_EQ(hoverSyncInput(S::hoverOpen, false, frame, {200, 207}, true), I::hoverEnter);
    EXPECT_EQ(hoverSyncInput(S::hoverOpen, false, frame, {200, 207}, false), I::hoverExit);
    EXPECT_EQ(hoverSyncInput(S::pinned, false, frame, {200, 207}, true), std::nullopt);
}

TEST(WingsRules, NotWhileOpenPinnedOrSuspended) {
    EXPECT_TRUE(mayShowWings(false, false, S::idle));
    EXPECT_TRUE(mayShowWings(false, false, S::pendingExpand));
    EXPECT_FALSE(mayShowWings(true, false, S::idle));
    EXPECT_FALSE(mayShowWings(false, true, S::idle));
    for (S open : {S::hoverOpen, S::pendingCollapse, S::pinned})
        EXPECT_FALSE(mayShowWings(false, false, open));
}

TEST(WingsRules, TapJumpsOrOpensPinned) {
    WingsContent disk;
    disk.focus = WingsFocus::disk;
    EXPECT_EQ(wingsTapAction(disk), (WingsTapAction{std::nullopt, true, I::notchClick}));
    WingsContent plain;
    EXPECT_EQ(wingsTapAction(plain), (WingsTapAction{std::nullopt, false, I::notchClick}));
    WingsContent session;
    session.focus = WingsFocus::disk;
    session.jump = SessionRef{AIToolKind::codex, "abc"};
    EXPECT_EQ(wingsTapAction(session), (WingsTapAction{SessionRef{AIToolKind::codex, "abc"}, false, std::nullopt}));
}

TEST(ActiveScreen, FirstContainingElseMain) {
    const std::vector<Rect> screens{{0, 0, 1512, 982}, {1512, 0, 1920, 1080}, {1512, 0, 100, 100}};
    EXPECT_EQ(activeScreenIndex(screens, {1600, 50}, 0), 1u);
    EXPECT_EQ(activeScreenIndex(screens, {-50, -50}, 1), 1u);
    EXPECT_EQ(activeScreenIndex(screens, {-50, -50}, 7), 0u);
    EXPECT_EQ(activeScreenIndex({}, {0, 0}, 0), std::nullopt);
}

TEST(Relayout, MovesOnlyBeyondHalfAPoint) {
    EXPECT_FALSE(relayoutNeeded(300.5, 300));
    EXPECT_TRUE(relayoutNeeded(300.51, 300));
    EXPECT_TRUE(relayoutNeeded(299.4, 300));
}

TEST(DashGeneration, SecondCollapseDoesNothingAndStaleCompletionsAreIgnored) {
    DashGeneration dash;
    const int expandGen = dash.current();
    EXPECT_TRUE(dash.isCurrent(expandGen));
    EXPECT_TRUE(dash.beginCollapse());
    const int collapseGen = dash.current();
    EXPECT_FALSE(dash.isCurrent(expandGen));
    EXPECT_FALSE(dash.beginCollapse());
    EXPECT_EQ(dash.current(), collapseGen);
    dash.advance();
    EXPECT_NE(dash.current(), collapseGen);
}

TEST(AlertButtons, OrderByKind) {
    using R = AlertButton::Role;
    EXPECT_EQ(alertButtons("好", std::nullopt, false, true), (std::vector<AlertButton>{{"好", R::confirm, false}}));
    EXPECT_EQ(alertButtons("关闭", std::string("先看看列表"), false, false),
              (std::vector<AlertButton>{
                  {"关闭", R::confirm, false}, {"先看看列表", R::secondary, false}, {"取消", R::cancel, false}}));
    EXPECT_EQ(alertButtons("强制退出", std::nullopt, true, false),
              (std::vector<AlertButton>{{"取消", R::cancel, false}, {"强制退出", R::confirm, true}}));
    EXPECT_EQ(alertButtons("关闭所选", std::nullopt, false, false),
              (std::vector<AlertButton>{{"关闭所选", R::confirm, false}, {"取消", R::cancel, false}}));
    // An information alert offers no choice, whatever else it carries.
    EXPECT_EQ(alertButtons("好", std::string("x"), true, true).size(), 1u);
}

} // namespace
} // namespace corvane
