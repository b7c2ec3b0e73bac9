// Integration: the desktop program as a person starts it, on a private X server (with a window
// manager) and a private session bus: the hand-off of a second launch, side-by-side copies, and
// the report where no display answers.
#include "DesktopProgramCommand.h"
#include "XSession.h"
#include "support/DbusDaemon.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using namespace std::chrono_literals;

class DesktopProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(x.failure(), "");
        ASSERT_TRUE(bus) << "no private session bus";
        home.makeDirectory(".config");
    }

    std::vector<std::string> command(const std::vector<std::string>& arguments,
                                     const std::vector<std::string>& extra = {}) const {
        return test::desktopProgramCommand(home.path(), bus->address(), arguments, extra);
    }

    bool nameOwned() const {
        return test::runShell("dbus-send --bus='" + bus->address() +
                              "' --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus "
                              "org.freedesktop.DBus.NameHasOwner string:com.quillmere.Corvane")
                   .out.find("boolean true") != std::string::npos;
    }

    // wmctrl prints titles as they are; byte comparison needs no locale.
    static bool settingsShown() { return test::runShell("wmctrl -l | grep -qF 'Corvane 设置'").status == 0; }

    test::XSession x;
    std::optional<test::DbusDaemon> bus = test::DbusDaemon::start();
    test::TempDir home;
};

TEST_F(DesktopProgram, ASecondLaunchHandsOffToTheRunningCopyWhichShowsItsSettings) {
    test::ChildProcess first(command({"--mock", "ok"})); // a demonstration answers a second launch too
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(test::eventually([&] { return nameOwned(); }, 20s));
    EXPECT_FALSE(settingsShown());

    EXPECT_EQ(test::runShell("timeout 20 " + test::shellLine(command({}))).status, 0);
    EXPECT_TRUE(test::eventually(settingsShown, 10s));
    EXPECT_FALSE(first.exited());
}

TEST_F(DesktopProgram, AllowSecondRunsCopiesSideBySideThatAnswerNobody) {
    const std::vector<std::string> allow{"CORVANE_ALLOW_SECOND=1"};
    test::ChildProcess first(command({"--mock", "warn"}, allow));
    test::ChildProcess second(command({}, allow));
    ASSERT_TRUE(first.started() && second.started());
    // Both reach their event loops: each maps nothing yet but stays up past the hand-off wait.
    EXPECT_FALSE(second.waitForExit(3s));
    EXPECT_FALSE(first.exited());
    EXPECT_FALSE(nameOwned());
}

// Idle, the desktop program holds Qt's X and D-Bus threads beside the model's own. Its warm-up is
// off (the Qt pool's thread for it would linger 30 s), and its own pools expire after 200 ms.
TEST_F(DesktopProgram, HoldsAtMostSixThreadsOnceIdle) {
    test::ChildProcess desktop(command({}, {"CORVANE_ALLOW_SECOND=1", "CORVANE_POOL_EXPIRY_MS=200"}));
    ASSERT_TRUE(desktop.started());
    std::this_thread::sleep_for(6s); // first samples, tray watcher and listeners are up
    ASSERT_FALSE(desktop.exited());
    // `env` execs corvane in the same process.
    const std::string tasks = test::runShell("ls /proc/" + std::to_string(desktop.pid()) + "/task | wc -l").out;
    EXPECT_GT(std::stoi(tasks), 1);
    EXPECT_LE(std::stoi(tasks), 6);
}

TEST_F(DesktopProgram, WithoutADisplayItSaysSoOnceAndPrintsTheReport) {
    const std::string out = home.path() + "/out";
    const std::string err = home.path() + "/err";
    const test::ShellResult result = test::runShell("env -i HOME='" + home.path() + "' PATH=/usr/bin:/bin timeout 60 " +
                                                    CORVANE_EXECUTABLE " --mock bad >'" + out + "' 2>'" + err + "'");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(test::runShell("wc -l < '" + err + "'").out, "1\n");
    EXPECT_NE(test::runShell("cat '" + out + "'").out.find("内存"), std::string::npos);
}

} // namespace
} // namespace corvane
