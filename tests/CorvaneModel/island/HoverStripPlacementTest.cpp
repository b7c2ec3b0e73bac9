#include "island/HoverStripPlacement.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(HoverStripPlacement, PillWideCentredOnTheScreenRightUnderTheTopPanel) {
    struct Case {
        double left, width, topPanel;
        HoverStripPlacement expected;
    };
    const Case cases[] = {
        {0, 1920, 32, {894, 132, 32, hoverStripHeight}},
        // A right-hand screen keeps its own horizontal offset.
        {1920, 1280, 0, {2494, 132, 0, hoverStripHeight}},
        {-1024, 1024, 27, {-578, 132, 27, hoverStripHeight}},
        // Narrower than the pill: still centred, reaching past both edges.
        {0, 100, 10, {-16, 132, 10, hoverStripHeight}},
        // A bottom panel makes the available area's top lie at or below the screen's top.
        {0, 800, -40, {334, 132, 0, hoverStripHeight}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hoverStripPlacement(c.left, c.width, c.topPanel), c.expected)
            << c.left << " " << c.width << " " << c.topPanel;
    }
}

} // namespace
} // namespace corvane
