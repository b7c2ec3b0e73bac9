#include "island/IslandControllerRules.h"
#include "island/ScreenCoordinates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

struct PointerCase {
    std::string name;
    std::vector<Rect> screens; // window-system geometry, top-left origin
    double x;
    double y;
    std::size_t expected;
};

class PointerScreen : public ::testing::TestWithParam<PointerCase> {};

// Every pixel belongs to exactly one screen, including the first column or row of a screen that
// touches another, and desktops whose origin is not the top-left screen.
TEST_P(PointerScreen, EveryPixelBelongsToTheScreenItIsOn) {
    const PointerCase& c = GetParam();
    const double axis = desktopFlipAxis(c.screens);
    std::vector<Rect> frames;
    for (const Rect& screen : c.screens) frames.push_back(flipRect(screen, axis));
    EXPECT_EQ(activeScreenIndex(frames, pointFromPixel(c.x, c.y, axis), 0), c.expected);
}

const std::vector<Rect> sideBySide{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}};
const std::vector<Rect> stacked{{0, 0, 1920, 1080}, {0, 1080, 1920, 1080}};
// A second screen above the first: the desktop starts at a negative y.
const std::vector<Rect> aboveOrigin{{0, 0, 1920, 1080}, {0, -1080, 1920, 1080}};
// A smaller screen on the right, bottom-aligned with a taller one.
const std::vector<Rect> mixed{{0, 0, 2560, 1440}, {2560, 360, 1920, 1080}};

INSTANTIATE_TEST_SUITE_P(
    Table, PointerScreen,
    ::testing::Values(PointerCase{"lastColumnOfLeftScreen", sideBySide, 1919, 500, 0},
                      PointerCase{"firstColumnOfRightScreen", sideBySide, 1920, 500, 1},
                      PointerCase{"topRowOfRightScreen", sideBySide, 3839, 0, 1},
                      PointerCase{"bottomRowOfTopScreen", stacked, 10, 1079, 0},
                      PointerCase{"firstRowOfLowerScreen", stacked, 10, 1080, 1},
                      PointerCase{"bottomRowOfLowerScreen", stacked, 10, 2159, 1},
                      PointerCase{"topRowOfUpperScreen", aboveOrigin, 5, -1080, 1},
                      PointerCase{"topRowOfLowerScreen", aboveOrigin, 5, 0, 0},
                      PointerCase{"topRowOfShorterScreen", mixed, 2560, 360, 1},
                      PointerCase{"besideShorterScreenFallsBackToMain", mixed, 2600, 100, 0}),
    [](const auto& info) { return info.param.name; });

struct LayoutCase {
    std::string name;
    std::vector<Rect> screens;
    std::size_t screen;
    Rect available;
    double topPanel;
    Rect compact;  // back in window-system coordinates
    Rect expanded; // for content that wants 300 points
};

class WindowSystemLayout : public ::testing::TestWithParam<LayoutCase> {};

// The island sits 6 points under the desktop's top panel, centred on its own screen, and the
// round trip through the island's coordinates lands where the window system expects it.
TEST_P(WindowSystemLayout, PanelsSitUnderTheTopPanelOfTheirScreen) {
    const LayoutCase& c = GetParam();
    const double axis = desktopFlipAxis(c.screens);
    const ScreenGeo geo = screenGeoFromWindowSystem(c.screens[c.screen], c.available, axis);
    EXPECT_EQ(geo.style, IslandStyle::floating);
    EXPECT_EQ(geo.menuBar, c.topPanel);
    EXPECT_EQ(geo.header, 36);
    EXPECT_EQ(flipRect(geo.layout(0, false, false).rect, axis), c.compact);
    EXPECT_EQ(flipRect(geo.layout(300, true, false).rect, axis), c.expanded);
    EXPECT_EQ(flipRect(flipRect(c.expanded, axis), axis), c.expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowSystemLayout,
    ::testing::Values(
        LayoutCase{"topPanel", sideBySide, 0, {0, 27, 1920, 1053}, 27, {894, 33, 132, 36}, {640, 33, 640, 300}},
        LayoutCase{"bottomPanelOnly", sideBySide, 1, {1920, 0, 1920, 1040}, 0, {2814, 6, 132, 36}, {2560, 6, 640, 300}},
        LayoutCase{"shorterScreenOfMixedDesktop", mixed, 1, {2560, 392, 1920, 1048}, 32, {3454, 398, 132, 36},
                   {3200, 398, 640, 300}},
        LayoutCase{"screenAboveOrigin", aboveOrigin, 1, {0, -1080, 1920, 1080}, 0, {894, -1074, 132, 36},
                   {640, -1074, 640, 300}},
        // A narrow screen: the dashboard keeps 12 points each side.
        LayoutCase{"narrowScreen", {{0, 0, 600, 800}}, 0, {0, 24, 600, 776}, 24, {234, 30, 132, 36},
                   {12, 30, 576, 300}},
        // An available area reported above the screen is no panel at all.
        LayoutCase{"bogusAvailableArea", {{0, 0, 1920, 1080}}, 0, {0, -20, 1920, 1100}, 0, {894, 6, 132, 36},
                   {640, 6, 640, 300}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace corvane
