// Integration tests against a real X server: each suite starts its own Xvfb with openbox and
// small X clients of its own (tests/helpers/XTestClient.cpp).
#include "XSession.h"

#include "apps/ActivityTracker.h"
#include "apps/RunningApplicationIDs.h"
#include "apps/WindowFacts.h"
#include "apps/linux/PidfdForceTerminator.h"
#include "apps/linux/X11AppTerminator.h"
#include "apps/linux/X11FrontmostWatcher.h"
#include "memory/SystemMemoryProvider.h"
#include "support/FileRead.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <memory>

namespace corvane {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::eventually;

/// Sets an environment variable for the life of the object, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) ::setenv(name_, previous_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> previous_;
};

class WindowSystemLive : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session_ = new test::XSession(); }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }

    void SetUp() override {
        if (!session_->failure().empty()) GTEST_FAIL() << session_->failure();
    }

    /// The test client copied under `name`, so its processes form a group of their own.
    std::string clientNamed(const std::string& name) {
        const std::string path = bin_ / name;
        std::filesystem::copy_file(CORVANE_X_TEST_CLIENT, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    /// Starts a client and waits until the window manager lists its window.
    std::unique_ptr<ChildProcess> startClient(const std::string& name, const std::string& windowClass, bool honour,
                                              const std::string& mode = "") {
        auto child = std::make_unique<ChildProcess>(std::vector<std::string>{
            clientNamed(name), windowClass, !mode.empty() ? mode : honour ? "honour" : "ignore"});
        const pid_t pid = child->pid();
        EXPECT_TRUE(eventually([pid] {
            const auto facts = readWindowFacts();
            return facts && facts->regularPIDs.count(pid) != 0;
        })) << windowClass << " never got a managed window" << (child->exited() ? " (the client exited)" : "") << describe();
        return child;
    }

    static std::string describe() {
        std::string text = " windows:";
        if (const auto facts = readWindowFacts()) {
            for (const auto& [pid, cls] : facts->windowClassByPID) text.append(" ").append(std::to_string(pid)).append("=").append(cls);
        } else {
            text += " no window system";
        }
        return text;
    }

    static void activate(const std::string& windowClass) {
        ChildProcess wmctrl({"wmctrl", "-x", "-a", windowClass});
        wmctrl.waitForExit(5s);
    }

    static test::XSession* session_;
    test::TempDir bin_;
};

test::XSession* WindowSystemLive::session_ = nullptr;

TEST_F(WindowSystemLive, TestWindowsAreRegularVisibleWithIdentityAndDesktopName) {
    auto honours = startClient("corvane-honours", "CorvaneHonours", true);
    auto ignores = startClient("corvane-ignores", "CorvaneIgnores", false);
    test::TempDir applications;
    applications.write("CorvaneHonours.desktop", "[Desktop Entry]\nType=Application\nName=Honours\nName[zh_CN]=听话窗口\n");

    const auto facts = readWindowFacts();
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->windowClassByPID.at(honours->pid()), "CorvaneHonours");
    EXPECT_EQ(facts->visiblePIDs.count(ignores->pid()), 1u);
    const auto running = runningApplicationIDs();
    EXPECT_EQ(running.count("CorvaneHonours"), 1u);
    EXPECT_EQ(running.count("CorvaneIgnores"), 1u);

    SystemMemoryProvider::Options options;
    options.home = applications.path();
    options.applicationDirectories = std::vector<std::string>{applications.path()};
    SystemMemoryProvider provider(std::move(options));
    const auto groups = provider.topAppGroups(1000);
    const AppGroup* honoursGroup = nullptr;
    const AppGroup* ignoresGroup = nullptr;
    for (const AppGroup& g : groups) {
        if (g.pids == std::vector<std::int32_t>{honours->pid()}) honoursGroup = &g;
        if (g.pids == std::vector<std::int32_t>{ignores->pid()}) ignoresGroup = &g;
    }
    ASSERT_NE(honoursGroup, nullptr);
    ASSERT_NE(ignoresGroup, nullptr);
    EXPECT_EQ(honoursGroup->bundleID, "CorvaneHonours");
    EXPECT_EQ(honoursGroup->name, "听话窗口");
    EXPECT_EQ(ignoresGroup->bundleID, "CorvaneIgnores");
    EXPECT_EQ(ignoresGroup->name, "corvane-ignores");
    for (const AppGroup* g : {honoursGroup, ignoresGroup}) {
        EXPECT_TRUE(g->isRegularApp) << g->id;
        EXPECT_TRUE(g->hasVisibleWindow) << g->id;
        EXPECT_GT(g->footprintBytes, 0u);
        // This test process started them.
        EXPECT_EQ(g->safety, SafetyVerdict::locked("由本工具启动，已锁定"));
    }
}

TEST_F(WindowSystemLive, OwnerWithoutNetWmPidIsFoundThroughXResource) {
    auto client = startClient("corvane-nopid", "CorvaneNoPid", true, "honour-nopid");
    const auto facts = readWindowFacts();
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->windowClassByPID.count(client->pid()), 1u);
    EXPECT_TRUE(X11AppTerminator().terminate(client->pid()));
    EXPECT_TRUE(client->waitForExit(10s));
}

TEST_F(WindowSystemLive, HiddenWindowIsRegularButNotVisible) {
    auto client = startClient("corvane-hidden", "CorvaneHidden", true);
    ChildProcess minimize({"xdotool", "search", "--class", "CorvaneHidden", "windowminimize"});
    minimize.waitForExit(5s);
    const pid_t pid = client->pid();
    EXPECT_TRUE(eventually([pid] {
        const auto facts = readWindowFacts();
        return facts && facts->regularPIDs.count(pid) != 0 && facts->visiblePIDs.count(pid) == 0;
    }));
}

TEST_F(WindowSystemLive, FrontmostTrackingFollowsActivation) {
    auto first = startClient("corvane-first", "CorvaneFirst", true);
    auto second = startClient("corvane-second", "CorvaneSecond", true);
    ActivityTracker tracker(std::make_shared<X11FrontmostWatcher>());
    tracker.start();
    activate("CorvaneFirst");
    EXPECT_TRUE(eventually([&] { return tracker.idleSeconds("CorvaneFirst") == 0.0; }));
    activate("CorvaneSecond");
    EXPECT_TRUE(eventually([&] { return tracker.idleSeconds("CorvaneSecond") == 0.0; }));
    const auto firstIdle = tracker.idleSeconds("CorvaneFirst");
    ASSERT_TRUE(firstIdle) << "the first window was left, so its idle time is known";
    EXPECT_GE(*firstIdle, 0.0);
    tracker.stop();
}

TEST_F(WindowSystemLive, PoliteQuitClosesOnlyHonouringClientAndForceQuitKills) {
    auto honours = startClient("corvane-polite", "CorvanePolite", true);
    auto ignores = startClient("corvane-stubborn", "CorvaneStubborn", false);
    ChildProcess windowless({"sleep", "60"});

    X11AppTerminator terminator;
    EXPECT_TRUE(terminator.terminate(honours->pid()));
    EXPECT_TRUE(honours->waitForExit(10s)) << "a client that honours WM_DELETE_WINDOW exits";

    EXPECT_TRUE(terminator.terminate(ignores->pid())) << "the request still counts as sent";
    std::this_thread::sleep_for(500ms);
    EXPECT_FALSE(ignores->exited()) << "a client that ignores WM_DELETE_WINDOW keeps running";

    EXPECT_FALSE(terminator.terminate(windowless.pid())) << "processes without a window are never addressed";

    PidfdForceTerminator force;
    EXPECT_FALSE(force.forceTerminate(windowless.pid()));
    EXPECT_FALSE(windowless.exited());
    EXPECT_TRUE(force.forceTerminate(ignores->pid()));
    EXPECT_TRUE(ignores->waitForExit(10s));
    EXPECT_FALSE(force.forceTerminate(ignores->pid())) << "gone";
}

TEST_F(WindowSystemLive, ReportLocksTheTerminalThatStartedCorvane) {
    auto a = startClient("corvane-window-a", "CorvaneWindowA", true);
    auto b = startClient("corvane-window-b", "CorvaneWindowB", true);
    const std::string output = bin_ / "report.json";
    // The report must not read the real home folder.
    test::TempDir home;
    const ScopedEnvironment homeVariable("HOME", home.path());
    const ScopedEnvironment dataHome("XDG_DATA_HOME", home / "data");
    const ScopedEnvironment dataDirs("XDG_DATA_DIRS", home / "system");
    ChildProcess terminal(
        {clientNamed("corvane-terminal"), "CorvaneTerminal", "honour", output, CORVANE_EXECUTABLE, "--report", "--json"});
    std::string json;
    ASSERT_TRUE(eventually([&] {
        json = readWholeFile(output).value_or("");
        return !json.empty() && json.back() == '\n';
    })) << "corvane wrote no report";

    /// The JSON object of the group with this identity, up to its safety reason.
    const auto groupText = [&](const std::string& identity) {
        const auto at = json.find("\"identity\":\"" + identity + "\"");
        if (at == std::string::npos) return std::string();
        const auto end = json.find("}}", at);
        return json.substr(at, end - at);
    };
    EXPECT_NE(json.find("\"windowSystem\":true"), std::string::npos);
    for (const std::string id : {"CorvaneWindowA", "CorvaneWindowB"}) {
        const std::string group = groupText(id);
        ASSERT_FALSE(group.empty()) << id << " missing in " << json;
        EXPECT_NE(group.find("\"isRegularApp\":true,\"hasVisibleWindow\":true"), std::string::npos) << group;
    }
    const std::string terminalGroup = groupText("CorvaneTerminal");
    EXPECT_NE(terminalGroup.find("\"kind\":\"protected\",\"reason\":\"它启动了本工具，已锁定\""), std::string::npos)
        << json;
}

TEST(WindowSystemAbsent, NothingIsRegularAndNothingIsAddressed) {
    const ScopedEnvironment noDisplay("DISPLAY", "");
    EXPECT_FALSE(readWindowFacts());
    X11AppTerminator terminator;
    EXPECT_FALSE(terminator.terminate(::getpid()));
    EXPECT_FALSE(X11FrontmostWatcher().observe([](std::optional<std::string>) {}));
    test::TempDir home;
    SystemMemoryProvider::Options options;
    options.home = home.path();
    options.applicationDirectories = std::vector<std::string>{};
    SystemMemoryProvider provider(std::move(options));
    const auto groups = provider.topAppGroups(30);
    EXPECT_FALSE(groups.empty()) << "this test process at least";
    for (const AppGroup& g : groups) {
        EXPECT_FALSE(g.isRegularApp) << g.id;
        EXPECT_TRUE(g.safety.isProtected()) << g.id;
    }
}

} // namespace
} // namespace corvane
