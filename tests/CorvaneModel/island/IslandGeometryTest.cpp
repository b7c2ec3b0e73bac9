#include "island/IslandGeometry.h"
#include "views/DashboardContext.h"

#include <gtest/gtest.h>

#include <tuple>

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

/// A 600-point-wide screen with a housing, and a notched screen whose housing edges are unknown.
ScreenGeo narrow() {
    return ScreenGeo::measure({100, 0, 600, 800}, 30, Rect{100, 770, 250, 30}, Rect{450, 770, 250, 30},
                              {100, 0, 600, 770}, false);
}
ScreenGeo edgeless() {
    return ScreenGeo::measure({0, 0, 1512, 982}, 38, std::nullopt, std::nullopt, {0, 0, 1512, 944}, false);
}

TEST(ScreenGeoMeasure, HousingFactsStyleAndHeaderByScreen) {
    using Facts = std::tuple<IslandStyle, std::optional<double>, std::optional<double>, double, double, double>;
    const auto facts = [](const ScreenGeo& g) {
        return Facts{g.style, g.notchLeft, g.notchRight, g.notchWidth, g.header, g.menuBar};
    };
    const std::pair<const char*, std::pair<ScreenGeo, Facts>> table[] = {
        {"notched", {notched(), {IslandStyle::notch, 662, 866, 204, 38, 38}}},
        // Auxiliary areas reported without a housing do not make one.
        {"no housing", {ScreenGeo::measure({0, 0, 1920, 1080}, 0, Rect{0, 1055, 900, 25}, Rect{1000, 1055, 920, 25},
                                           {0, 0, 1920, 1055}, false),
                        {IslandStyle::floating, std::nullopt, std::nullopt, 180, 36, 25}}},
        {"forced floating keeps the housing", {notched(true), {IslandStyle::floating, 662, 866, 204, 36, 38}}},
    };
    for (const auto& [name, row] : table) EXPECT_EQ(facts(row.first), row.second) << name;
}

/// Compact and expanded panels: a notch panel hangs from the top edge centred on the housing (on
/// the screen when its edges are unknown), a floating pill sits six points below the top panel.
TEST(IslandLayout, PlacementByStyleAndPhase) {
    using enum IslandStyle;
    using enum IslandPhase;
    const struct {
        const char* name;
        ScreenGeo screen;
        double height;
        bool expanded, forceFloating;
        IslandLayout expected;
    } table[] = {
        {"notch compact", notched(), 0, false, false, {{764 - 162, 944, 324, 38}, true, 14, notch, compact}},
        {"notch expanded", notched(), 300, true, false, {{764 - 320, 982 - 300, 640, 300}, true, 24, notch, expanded}},
        {"narrow screen", narrow(), 200, true, false, {{400 - 288, 600, 576, 200}, true, 24, notch, expanded}},
        {"unknown edges", edgeless(), 0, false, false, {{756 - 150, 944, 300, 38}, true, 14, notch, compact}},
        {"floating compact", plain(), 0, false, false,
         {{960 - 66, 1080 - 25 - 6 - 36, 132, 36}, false, 18, floating, compact}},
        {"forced compact", notched(true), 0, false, true,
         {{756 - 66, 982 - 38 - 6 - 36, 132, 36}, false, 18, floating, compact}},
        {"forced expanded", notched(), 400, true, true,
         {{756 - 320, 982 - 38 - 6 - 400, 640, 400}, false, 24, floating, expanded}},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.screen.layout(row.height, row.expanded, row.forceFloating), row.expected) << row.name;
    }
    EXPECT_EQ(narrow().dashboardWidth(), 576);
}

TEST(ExpandedHeight, CapsAndFloorEvenOnAShortScreen) {
    // 900 points of content on a 1117-point-high notched screen (header 38).
    EXPECT_EQ(expandedHeight(900, 38, 1117, false), 480);
    EXPECT_EQ(expandedHeight(900, 38, 1117, true), 520);
    EXPECT_EQ(expandedHeight(50, 38, 1117, false), 158);
    EXPECT_EQ(expandedHeight(50, 36, 1117, true), 156);
    // Fractional content heights round up.
    EXPECT_EQ(expandedHeight(300.2, 38, 1117, false), 301);
    // Screen height − 80 = 120 would be below header + 120; the floor wins.
    EXPECT_EQ(expandedHeight(400, 36, 200, false), 156);
    EXPECT_EQ(expandedHeight(400, 36, 400, false), 320);
}

TEST(ExpansionStartRect, NotchGrowsFromTheHousingFloatingFromAPillAtTheTargetTop) {
    EXPECT_EQ(notched().expansionStartRect(notched().layout(300, true, false)), (Rect{662, 944, 204, 38}));
    const IslandLayout target = plain().layout(300, true, false);
    EXPECT_EQ(plain().expansionStartRect(target), (Rect{960 - 66, target.rect.maxY() - 36, 132, 36}));
    const IslandLayout forced = notched(true).layout(300, true, true);
    EXPECT_EQ(notched(true).expansionStartRect(forced), (Rect{756 - 66, forced.rect.maxY() - 36, 132, 36}));
}

TEST(WingsRect, FloatingWidthFollowsTheTextNotchStyleUsesTheCompactLayout) {
    const ScreenGeo g = plain();
    const Rect four = g.wingsRect("磁盘只剩", false);
    EXPECT_EQ(four, (Rect{960 - 66, 1013, 132, 36}));
    const Rect twelve = g.wingsRect("一二三四五六七八九十一二", false);
    EXPECT_EQ(twelve.width, 202);
    EXPECT_EQ(twelve.midX(), 960);
    EXPECT_EQ(twelve.minY(), 1013);
    EXPECT_EQ(twelve.height, 36);
    EXPECT_EQ(notched().wingsRect("一二三四五六七八九十一二", false), notched().layout(0, false, false).rect);
}

TEST(HitPanelRect, OnlyOverAProperHousing) {
    EXPECT_EQ(notched().hitPanelRect(), (Rect{662, 944, 204, 38}));
    EXPECT_FALSE(plain().hitPanelRect().has_value());
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
