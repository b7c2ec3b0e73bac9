// The island's windows on a real X server with a window manager, driven by a real pointer and
// keyboard (xdotool).
#include "IslandController.h"
#include "IslandPanel.h"
#include "QtMainExecutor.h"
#include "XSession.h"
#include "XWindowQueries.h"

#include "CorvaneModel/app/ModelFixture.h"
#include "CorvaneUi/RunEvents.h"
#include "support/ShellCommand.h"
#include "wings/WingsBuilders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <gtest/gtest.h>

#include <unistd.h>


namespace corvane {
namespace {

using test::runEventsUntil;
using test::runShell;

/// Runs the event loop until `done` holds, so the program keeps answering the X server meanwhile.
bool eventuallyLive(const std::function<bool()>& done, int timeoutMs = 5000) {
    return runEventsUntil(done, timeoutMs);
}

std::vector<std::string> mappedWindows() { return test::visibleWindows(::getpid()); }

test::WindowFrame serverGeometry(WId window) { return test::serverFrame(std::to_string(window)); }

bool hasKeyboard(const IslandPanel* panel) { return panel != nullptr && test::hasKeyboard(std::to_string(panel->winId())); }

void xdotool(const std::string& arguments) { ASSERT_EQ(runShell("xdotool " + arguments).status, 0) << arguments; }

// The 1024 × 768 screen has no top panel: the dashboard is 640 wide, centred, 6 pixels down.
const test::WindowFrame dashboardFrame{192, 6, 640, 300};

TEST(IslandLive, OpensAtTheTopCentrePinsOnAClickClosesOnEscapeOrLeavingAndLeavesNothingMapped) {
    test::XSession session;
    ASSERT_EQ(session.failure(), "");
    test::ScopedEnvironment platform("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "island-live-test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    test::ModelFixture f;
    IslandController island(f.model, std::make_shared<QtMainExecutor>(), f.prefs,
                            [](const DashboardContext&) {
                                auto content = std::make_unique<QLabel>(QStringLiteral("内存够用"));
                                content->setStyleSheet(QStringLiteral("color: white; font-size: 20px;"));
                                content->setAlignment(Qt::AlignCenter);
                                content->setFixedHeight(dashboardFrame.height);
                                return content;
                            },
                            {});
    const auto openAt = [&](const test::WindowFrame& frame) {
        return eventuallyLive([&] {
            const IslandPanel* panel = island.dashboardPanel();
            return panel != nullptr && panel->isVisible() && serverGeometry(panel->winId()) == frame;
        });
    };
    const auto closedAndUnmapped = [&] {
        return eventuallyLive([&] { return island.dashboardPanel() == nullptr && mappedWindows().empty(); });
    };

    // The tray item's click opens the dashboard pinned, and it takes the keyboard: Escape closes.
    island.send(IslandInput::iconToggle);
    ASSERT_TRUE(openAt(dashboardFrame));
    EXPECT_TRUE(eventuallyLive([&] { return hasKeyboard(island.dashboardPanel()); }));
    xdotool("key Escape");
    EXPECT_TRUE(closedAndUnmapped());

    // Opened by hover: it neither takes the keyboard nor stays once the pointer has left.
    xdotool("mousemove 512 40");
    island.send(IslandInput::hoverEnter);
    ASSERT_TRUE(openAt(dashboardFrame));
    EXPECT_EQ(island.state(), IslandPhaseState::hoverOpen);
    EXPECT_FALSE(hasKeyboard(island.dashboardPanel()));
    QElapsedTimer left;
    left.start();
    xdotool("mousemove 512 700");
    EXPECT_TRUE(closedAndUnmapped());
    EXPECT_GE(left.elapsed(), 400);

    // A click inside pins it and hands it the keyboard.
    xdotool("mousemove 512 40");
    island.send(IslandInput::hoverEnter);
    ASSERT_TRUE(openAt(dashboardFrame));
    xdotool("click 1");
    EXPECT_TRUE(eventuallyLive([&] { return island.state() == IslandPhaseState::pinned; }));
    EXPECT_TRUE(eventuallyLive([&] { return hasKeyboard(island.dashboardPanel()); }));
    xdotool("mousemove 512 700");
    runEventsUntil([] { return false; }, 600);
    EXPECT_EQ(island.state(), IslandPhaseState::pinned);
    xdotool("key Escape");
    EXPECT_TRUE(closedAndUnmapped());

    // A wings notice appears below the top edge and is gone after its hold and fade.
    island.showWings(wingsForAttention(3), 1.0, nullptr);
    ASSERT_NE(island.wingsPanel(), nullptr);
    const WId wings = island.wingsPanel()->winId();
    EXPECT_TRUE(eventuallyLive([&] {
        const test::WindowFrame frame = serverGeometry(wings);
        return mappedWindows().size() == 1 && frame.y == 6 && frame.height == 36 && frame.width >= 132;
    }));
    QElapsedTimer shown;
    shown.start();
    EXPECT_TRUE(closedAndUnmapped() && eventuallyLive([&] { return island.wingsPanel() == nullptr; }));
    EXPECT_GE(shown.elapsed(), 900);
    EXPECT_TRUE(mappedWindows().empty());
    // The model's samples for each opening wait on its virtual executor and hold the model.
    f.main->runUntilIdle();
}

} // namespace
} // namespace corvane
