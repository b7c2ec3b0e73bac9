// Integration: the island of the real desktop program (`corvane --mock ok`) on a private X server
// with a window manager and no tray, so the strip at the top centre opens it: driven by a real
// pointer and keyboard (xdotool), followed through its trace on standard error, and its stress
// test run as CI runs it.
#include "DesktopProgramCommand.h"
#include "XSession.h"
#include "XWindowQueries.h"
#include "support/DbusDaemon.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class IslandProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(x.failure(), "");
        ASSERT_TRUE(bus) << "no private session bus";
        home.makeDirectory(".config");
    }

    std::vector<std::string> command(const std::vector<std::string>& extra) const {
        std::vector<std::string> variables{"CORVANE_ALLOW_SECOND=1"};
        variables.insert(variables.end(), extra.begin(), extra.end());
        return test::desktopProgramCommand(home.path(), bus->address(), {"--mock", "ok"}, variables);
    }

    std::string errors() const {
        std::ifstream file(home.path() + "/err");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    test::XSession x;
    std::optional<test::DbusDaemon> bus = test::DbusDaemon::start();
    test::TempDir home;
};

/// The program's windows the X server shows, by what they are: the strip (5 high at the top),
/// the dashboard (640 wide) and a notice (36 high, 6 below the top).
struct ShownWindows {
    std::vector<std::string> strip, dashboard, notice, other;

    explicit ShownWindows(pid_t pid) {
        for (const std::string& id : test::visibleWindows(pid)) {
            const test::WindowFrame frame = test::serverFrame(id);
            if (frame.y == 0 && frame.height == 5) strip.push_back(id);
            else if (frame.width == 640 && frame.y == 6) dashboard.push_back(id);
            else if (frame.height == 36 && frame.y == 6) notice.push_back(id);
            else other.push_back(id);
        }
    }
    bool onlyStrip() const { return strip.size() == 1 && dashboard.empty() && notice.empty() && other.empty(); }
};

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void xdotool(const std::string& arguments) { ASSERT_EQ(test::runShell("xdotool " + arguments).status, 0) << arguments; }

// The 1024 × 768 screen has no top panel: the strip spans x 446–577 at y 0–4, the dashboard is
// 640 wide at x 192, 6 below the top.
TEST_F(IslandProgram, TheStripOpensByHoverAndClickEscapeOutsideClicksAndLeavingCloseAndANoticeFades) {
    constexpr double hold = 2;
    const auto launched = Clock::now();
    test::ChildProcess program({"sh", "-c",
                                "exec " + test::shellLine(command({"CORVANE_TRACE=1", "CORVANE_ISLAND=waiting-many",
                                                                   "CORVANE_ISLAND_HOLD=2"})) +
                                    " 2>'" + home.path() + "/err'"});
    ASSERT_TRUE(program.started());
    const pid_t pid = program.pid();
    const auto shown = [pid] { return ShownWindows(pid); };

    // The notice demonstration appears 1.5 s after launch and fades after its hold.
    ASSERT_TRUE(test::eventually([&] { return shown().notice.size() == 1; }, 30s)) << errors();
    EXPECT_TRUE(test::eventually([&] { return shown().notice.empty(); }, 10s));
    EXPECT_GE(secondsSince(launched), 1.5 + hold);
    ASSERT_TRUE(shown().onlyStrip());

    // Resting on the strip opens the dashboard, not before 0.18 s; it stays while the pointer rests.
    auto entered = Clock::now();
    xdotool("mousemove 512 2");
    ASSERT_TRUE(test::eventually([&] { return shown().dashboard.size() == 1; }));
    EXPECT_GE(secondsSince(entered), 0.18);
    std::string dashboard = shown().dashboard.front();
    EXPECT_FALSE(test::hasKeyboard(dashboard)) << "hovering never takes the keyboard";
    EXPECT_FALSE(test::eventually([&] { return shown().dashboard.empty(); }, 1500ms)) << errors();

    // Into the dashboard and out again: it closes, not before 0.4 s.
    xdotool("mousemove 512 200");
    const auto left = Clock::now();
    xdotool("mousemove 512 700");
    ASSERT_TRUE(test::eventually([&] { return shown().onlyStrip(); }));
    EXPECT_GE(secondsSince(left), 0.4);

    // A click on the strip opens it pinned with the keyboard; leaving does not close it, Escape does.
    xdotool("mousemove 512 2 click 1");
    ASSERT_TRUE(test::eventually([&] { return shown().dashboard.size() == 1; }));
    dashboard = shown().dashboard.front();
    EXPECT_TRUE(test::eventually([&] { return test::hasKeyboard(dashboard); }));
    xdotool("mousemove 512 700");
    EXPECT_FALSE(test::eventually([&] { return shown().dashboard.empty(); }, 1s));
    xdotool("key Escape");
    EXPECT_TRUE(test::eventually([&] { return shown().onlyStrip(); }));

    // Pinned again, a click outside closes it.
    xdotool("mousemove 512 2 click 1");
    ASSERT_TRUE(test::eventually([&] { return shown().dashboard.size() == 1; }));
    dashboard = shown().dashboard.front();
    ASSERT_TRUE(test::eventually([&] { return test::hasKeyboard(dashboard); }));
    xdotool("mousemove 100 600 click 1");
    EXPECT_TRUE(test::eventually([&] { return shown().onlyStrip(); }));

    // The trace saw each path through the state machine.
    const std::string trace = errors();
    for (const char* line : {"[island] hoverEnter in idle", "[island] expandTimerFired in pendingExpand",
                             "[island] hoverExit in hoverOpen", "[island] collapseTimerFired in pendingCollapse",
                             "[island] notchClick in", "[island] escape in pinned", "[island] outsideClick in pinned"}) {
        EXPECT_NE(trace.find(line), std::string::npos) << line << "\n" << trace;
    }
    EXPECT_FALSE(program.exited());
}

TEST_F(IslandProgram, AStressRunOfTwoThousandHiddenStepsEndsCleanAndQuitsWithZero) {
    const std::string err = home.path() + "/err";
    const test::ShellResult result = test::runShell(
        "timeout 110 " + test::shellLine(command({"CORVANE_STRESS=2000", "CORVANE_STRESS_HIDDEN=1"})) + " 2>'" + err + "'");
    const std::string output = errors();
    EXPECT_EQ(result.status, 0) << output;
    std::size_t summaries = 0;
    for (std::size_t at = output.find("[stress] "); at != std::string::npos; at = output.find("[stress] ", at + 1))
        ++summaries;
    EXPECT_EQ(summaries, 1U) << output;
    EXPECT_NE(output.find("[stress] 2000 步"), std::string::npos) << output;
    EXPECT_NE(output.find("干净"), std::string::npos) << output;
}

} // namespace
} // namespace corvane
