#include "island/IslandGeometry.h"
#include "views/DashboardContext.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

/// A 1512 × 982 screen with a 38-point housing between x = 662 and x = 866.
ScreenGeo notched(bool forceFloating = false) {
    const Rect frame{0, 0, 1512, 982};
    return ScreenGeo::measure(frame, 38, Rect{0, 944, 662, 38}, Rect{866, 944, 646, 38}, Rect{0, 0, 1512, 944},
                              forceFloating);
}

/// A 1920 × 1080 screen without a housing and a 25-point top panel.
ScreenGeo plain() {
    return ScreenGeo::measure({0, 0, 1920, 1080}, 0, std::nullopt, std::nullopt, {0, 0, 1920, 1055}, false);
}

TEST(ScreenGeoMeasure, NotchedScreen) {
    const ScreenGeo g = notched();
    EXPECT_EQ(g.style, IslandStyle::notch);
    EXPECT_EQ(g.notchLeft, 662);
    EXPECT_EQ(g.notchRight, 866);
    EXPECT_EQ(g.notchWidth, 204);
    EXPECT_EQ(g.header, 38);
    EXPECT_EQ(g.menuBar, 38);
}

TEST(ScreenGeoMeasure, ScreenWithoutHousingFloatsEvenWhenAuxiliaryAreasAreReported) {
    const ScreenGeo g = ScreenGeo::measure({0, 0, 1920, 1080}, 0, Rect{0, 1055, 900, 25}, Rect{1000, 1055, 920, 25},
                                           {0, 0, 1920, 1055}, false);
    EXPECT_EQ(g.style, IslandStyle::floating);
    EXPECT_FALSE(g.notchLeft.has_value());
    EXPECT_FALSE(g.notchRight.has_value());
    EXPECT_EQ(g.header, 36);
    EXPECT_EQ(g.notchWidth, 180);
    EXPECT_EQ(g.menuBar, 25);
}

TEST(ScreenGeoMeasure, ForcedFloatingKeepsTheHousingFacts) {
    const ScreenGeo g = notched(true);
    EXPECT_EQ(g.style, IslandStyle::floating);
    EXPECT_EQ(g.header, 36);
    EXPECT_EQ(g.notchWidth, 204);
}

TEST(IslandLayoutNotch, CompactSitsOnTheHousing) {
    const IslandLayout l = notched().layout(0, false, false);
    EXPECT_EQ(l.rect, (Rect{764 - 162, 944, 324, 38}));
    EXPECT_EQ(l.cornerRadius, 14);
    EXPECT_TRUE(l.attachedToTop);
    EXPECT_EQ(l.style, IslandStyle::notch);
    EXPECT_EQ(l.phase, IslandPhase::compact);
}

TEST(IslandLayoutNotch, ExpandedIsCentredOnTheHousingAndHangsFromTheTop) {
    const IslandLayout l = notched().layout(300, true, false);
    EXPECT_EQ(l.rect, (Rect{764 - 320, 982 - 300, 640, 300}));
    EXPECT_EQ(l.cornerRadius, 24);
    EXPECT_EQ(l.phase, IslandPhase::expanded);
    EXPECT_TRUE(l.attachedToTop);
}

TEST(IslandLayoutNotch, NarrowScreenLimitsExpandedWidth) {
    const ScreenGeo g = ScreenGeo::measure({100, 0, 600, 800}, 30, Rect{100, 770, 250, 30}, Rect{450, 770, 250, 30},
                                           {100, 0, 600, 770}, false);
    EXPECT_EQ(g.dashboardWidth(), 576);
    EXPECT_EQ(g.layout(200, true, false).rect, (Rect{400 - 288, 600, 576, 200}));
}

TEST(IslandLayoutNotch, UnknownEdgesCentreOnTheScreenWithDefaultWidth) {
    const ScreenGeo g = ScreenGeo::measure({0, 0, 1512, 982}, 38, std::nullopt, std::nullopt, {0, 0, 1512, 944}, false);
    const IslandLayout l = g.layout(0, false, false);
    EXPECT_EQ(l.style, IslandStyle::notch);
    EXPECT_EQ(l.rect, (Rect{756 - 150, 944, 300, 38}));
}

TEST(IslandLayoutFloating, CompactPillSixPointsBelowTheTopPanel) {
    const IslandLayout l = plain().layout(0, false, false);
    EXPECT_EQ(l.rect, (Rect{960 - 66, 1080 - 25 - 6 - 36, 132, 36}));
    EXPECT_EQ(l.cornerRadius, 18);
    EXPECT_FALSE(l.attachedToTop);
    EXPECT_EQ(l.style, IslandStyle::floating);
    EXPECT_FALSE(plain().hitPanelRect().has_value());
}

TEST(IslandLayoutFloating, ForcedOnNotchedScreenCentresOnTheScreenNotTheNotch) {
    const IslandLayout compact = notched(true).layout(0, false, true);
    EXPECT_EQ(compact.style, IslandStyle::floating);
    EXPECT_EQ(compact.rect, (Rect{756 - 66, 982 - 38 - 6 - 36, 132, 36}));
    const IslandLayout open = notched().layout(400, true, true);
    EXPECT_EQ(open.rect, (Rect{756 - 320, 982 - 38 - 6 - 400, 640, 400}));
    EXPECT_EQ(open.cornerRadius, 24);
    EXPECT_FALSE(open.attachedToTop);
}

TEST(ExpandedHeight, CapsAndFloor) {
    // 900 points of content on a 1117-point-high notched screen (header 38).
    EXPECT_EQ(expandedHeight(900, 38, 1117, false), 480);
    EXPECT_EQ(expandedHeight(900, 38, 1117, true), 520);
    EXPECT_EQ(expandedHeight(50, 38, 1117, false), 158);
    EXPECT_EQ(expandedHeight(50, 36, 1117, true), 156);
    // Fractional content heights round up.
    EXPECT_EQ(expandedHeight(300.2, 38, 1117, false), 301);
}

TEST(ExpandedHeight, ShortScreenNeverGoesBelowTheFloor) {
    // Screen height − 80 = 120 would be below header + 120; the floor wins.
    EXPECT_EQ(expandedHeight(400, 36, 200, false), 156);
    EXPECT_EQ(expandedHeight(400, 36, 400, false), 320);
}

TEST(ExpansionStartRect, NotchGrowsFromTheHousing) {
    const ScreenGeo g = notched();
    EXPECT_EQ(g.expansionStartRect(g.layout(300, true, false)), (Rect{662, 944, 204, 38}));
}

TEST(ExpansionStartRect, FloatingGrowsFromAPillAtTheTargetTop) {
    const ScreenGeo g = plain();
    const IslandLayout target = g.layout(300, true, false);
    EXPECT_EQ(g.expansionStartRect(target), (Rect{960 - 66, target.rect.maxY() - 36, 132, 36}));
    const ScreenGeo forced = notched(true);
    const IslandLayout forcedTarget = forced.layout(300, true, true);
    EXPECT_EQ(forced.expansionStartRect(forcedTarget), (Rect{756 - 66, forcedTarget.rect.maxY() - 36, 132, 36}));
}

TEST(WingsRect, FloatingWidthFollowsTheText) {
    const ScreenGeo g = plain();
    const Rect four = g.wingsRect("磁盘只剩", false);
    EXPECT_EQ(four, (Rect{960 - 66, 1013, 132, 36}));
    const Rect twelve = g.wingsRect("一二三四五六七八九十一二", false);
    EXPECT_EQ(twelve.width, 202);
    EXPECT_EQ(twelve.midX(), 960);
    EXPECT_EQ(twelve.minY(), 1013);
    EXPECT_EQ(twelve.height, 36);
}

TEST(WingsRect, NotchStyleUsesTheCompactLayout) {
    const ScreenGeo g = notched();
    EXPECT_EQ(g.wingsRect("一二三四五六七八九十一二", false), g.layout(0, false, false).rect);
}

TEST(HitPanelRect, OnlyOverAProperHousing) {
    EXPECT_EQ(notched().hitPanelRect(), (Rect{662, 944, 204, 38}));
    const ScreenGeo inverted = ScreenGeo::measure({0, 0, 1512, 982}, 38, Rect{0, 944, 866, 38}, Rect{662, 944, 850, 38},
                                                  {0, 0, 1512, 944}, false);
    EXPECT_FALSE(inverted.hitPanelRect().has_value());
    const ScreenGeo noEdges =
        ScreenGeo::measure({0, 0, 1512, 982}, 38, std::nullopt, Rect{866, 944, 646, 38}, {0, 0, 1512, 944}, false);
    EXPECT_FALSE(noEdges.hitPanelRect().has_value());
}

TEST(DashboardContext, TakesTheMeasuredScreen) {
    const DashboardContext notch = dashboardContext(notched());
    EXPECT_EQ(notch.style, IslandStyle::notch);
    EXPECT_EQ(notch.headerHeight, 38);
    EXPECT_EQ(notch.notchWidth, 204);
    EXPECT_EQ(notch.width, 640);
    EXPECT_EQ(dashboardRoundedCorners(notch.style), RoundedCorners::bottomOnly);
    const DashboardContext forced = dashboardContext(notched(true));
    EXPECT_EQ(forced.style, IslandStyle::floating);
    EXPECT_EQ(forced.headerHeight, 36);
    EXPECT_EQ(dashboardRoundedCorners(forced.style), RoundedCorners::all);
}

} // namespace
} // namespace corvane
