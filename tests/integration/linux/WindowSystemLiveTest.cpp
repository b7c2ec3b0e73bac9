// Integration tests against a real X server: each suite starts its own Xvfb with openbox and
// small X clients of its own (tests/helpers/XTestClient.cpp).
#include "XSession.h"

#include "apps/ActivityTracker.h"
#include "apps/ForceQuit.h"
#include "apps/RunningApplicationIDs.h"
#include "apps/SystemAppScanner.h"
#include "apps/WindowFacts.h"
#include "apps/linux/PidfdForceTerminator.h"
#include "apps/linux/X11AppTerminator.h"
#include "apps/linux/X11FrontmostWatcher.h"
#include "support/FileRead.h"
#include "support/UniqueFd.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

namespace corvane {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::eventually;
using test::ScopedEnvironment;

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
        return launch(clientNamed(name), windowClass, !mode.empty() ? mode : honour ? "honour" : "ignore");
    }

    /// Starts the client at `executable` and waits until its window is managed and owned.
    static std::unique_ptr<ChildProcess> launch(const std::string& executable, const std::string& windowClass,
                                                const std::string& mode) {
        auto child = std::make_unique<ChildProcess>(std::vector<std::string>{executable, windowClass, mode});
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

    SystemAppScanner::Options options;
    options.applicationDirectories = std::vector<std::string>{applications.path()};
    SystemAppScanner scanner(std::move(options));
    const auto groups = scanner.topAppGroups(1000);
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
    auto client = startClient("corvane-nopid", "CorvaneNoPid", true, "honour,nopid");
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

/// The group of `pid` among `groups`; null when none holds it.
const AppGroup* groupOf(const std::vector<AppGroup>& groups, pid_t pid) {
    for (const AppGroup& g : groups) {
        if (std::find(g.pids.begin(), g.pids.end(), pid) != g.pids.end()) return &g;
    }
    return nullptr;
}

/// The live scan, judged as if by a program this test did not start (so nothing is locked for
/// being its child), without reading the real home folder.
std::vector<AppGroup> scanAsUnrelatedProgram() {
    SystemAppScanner::Options options;
    options.applicationDirectories = std::vector<std::string>{};
    options.safety = SafetyPolicy(0x7FFFFFF0);
    return SystemAppScanner(std::move(options)).topAppGroups(1000);
}

TEST_F(WindowSystemLive, FalsePidClaimGivesItsVictimNoWindowAndForceQuitSparesIt) {
    ChildProcess victim({"sleep", "60"});
    auto liar = startClient("corvane-liar", "CorvaneLiar", false, "ignore,pid=" + std::to_string(victim.pid()));
    ASSERT_EQ(test::runShell("xdotool search --class CorvaneLiar getwindowpid").out,
              std::to_string(victim.pid()) + "\n")
        << "the window claims the victim";

    const auto groups = scanAsUnrelatedProgram();
    const AppGroup* victimGroup = groupOf(groups, victim.pid());
    const AppGroup* liarGroup = groupOf(groups, liar->pid());
    ASSERT_NE(victimGroup, nullptr);
    ASSERT_NE(liarGroup, nullptr);
    EXPECT_FALSE(victimGroup->isRegularApp);
    EXPECT_FALSE(victimGroup->hasVisibleWindow);
    EXPECT_EQ(victimGroup->bundleID, std::nullopt) << "the window's class is not the victim's";
    EXPECT_TRUE(liarGroup->isRegularApp) << "the real owner is found through X-Resource";
    EXPECT_EQ(liarGroup->bundleID, "CorvaneLiar");

    PidfdForceTerminator force;
    EXPECT_FALSE(ForceQuit::run(*victimGroup, force));
    EXPECT_FALSE(X11AppTerminator().terminate(victim.pid()));
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(victim.exited()) << "the victim stays alive";
    EXPECT_TRUE(ForceQuit::run(*liarGroup, force));
    EXPECT_TRUE(liar->waitForExit(10s));
}

TEST_F(WindowSystemLive, ClientsOfOneInterpreterWithTheirOwnClassesAreTwoApplications) {
    const std::string interpreter = clientNamed("corvane-python3");
    auto first = launch(interpreter, "CorvaneScriptA", "honour");
    auto second = launch(interpreter, "CorvaneScriptB", "honour");
    const auto groups = scanAsUnrelatedProgram();
    const AppGroup* a = groupOf(groups, first->pid());
    const AppGroup* b = groupOf(groups, second->pid());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->pids, std::vector<std::int32_t>{first->pid()});
    EXPECT_EQ(a->bundleID, "CorvaneScriptA");
    EXPECT_EQ(b->pids, std::vector<std::int32_t>{second->pid()});
    EXPECT_EQ(b->bundleID, "CorvaneScriptB");
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
    SystemAppScanner::Options options;
    options.applicationDirectories = std::vector<std::string>{};
    SystemAppScanner scanner(std::move(options));
    const auto groups = scanner.topAppGroups(30);
    EXPECT_FALSE(groups.empty()) << "this test process at least";
    for (const AppGroup& g : groups) {
        EXPECT_FALSE(g.isRegularApp) << g.id;
        EXPECT_TRUE(g.safety.isProtected()) << g.id;
    }
}

/// The same clients on a server without X-Resource, where a window's claim is all there is.
class WindowSystemWithoutXResource : public WindowSystemLive {
protected:
    static void SetUpTestSuite() { session_ = new test::XSession(/*withXResource=*/false); }
};

TEST_F(WindowSystemWithoutXResource, OnlyAClaimNamingThisHostEstablishesTheOwner) {
    auto local = startClient("corvane-local", "CorvaneLocal", true);
    ChildProcess remote({clientNamed("corvane-remote"), "CorvaneRemote", "ignore,machine=elsewhere.invalid"});
    ChildProcess unnamed({clientNamed("corvane-unnamed"), "CorvaneUnnamed", "ignore,nomachine"});
    ASSERT_TRUE(eventually([] {
        const std::string managed = test::runShell("wmctrl -l -x").out;
        return managed.find("CorvaneRemote") != std::string::npos && managed.find("CorvaneUnnamed") != std::string::npos;
    })) << "the window manager never listed the windows";

    const auto facts = readWindowFacts();
    ASSERT_TRUE(facts) << "the missing extension was never asked";
    EXPECT_EQ(facts->regularPIDs.count(local->pid()), 1u);
    for (const pid_t pid : {remote.pid(), unnamed.pid()}) {
        EXPECT_EQ(facts->regularPIDs.count(pid), 0u) << pid;
        EXPECT_EQ(facts->windowClassByPID.count(pid), 0u) << pid;
    }
    EXPECT_FALSE(X11AppTerminator().terminate(remote.pid()));
    EXPECT_TRUE(X11AppTerminator().terminate(local->pid()));
    EXPECT_TRUE(local->waitForExit(10s));
}

/// A socket that accepts connections and never says a word, as a hung X server does.
struct SilentListener {
    UniqueFd socket;
    /// The DISPLAY value that leads to it.
    std::string display;
};

SilentListener silentTcpListener() {
    for (int number = 100; number < 1000; ++number) {
        UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(6000 + number));
        if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(fd.get(), 8) == 0) {
            return {std::move(fd), "127.0.0.1:" + std::to_string(number)};
        }
    }
    return {};
}

SilentListener silentLocalListener() {
    for (int number = 100; number < 1000; ++number) {
        const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
        if (std::filesystem::exists(path)) continue;
        UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, path.data(), path.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
        if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd.get(), 8) == 0) {
            return {std::move(fd), ":" + std::to_string(number)};
        }
    }
    return {};
}

/// Runs the JSON report with DISPLAY set to `display` in a fresh home; its output and how long it took.
std::pair<test::ShellResult, std::chrono::steady_clock::duration> reportWithDisplay(const std::string& display) {
    test::TempDir home;
    const auto started = std::chrono::steady_clock::now();
    auto report = test::runShell("DISPLAY=" + display + " HOME=" + home.path() + " XDG_DATA_HOME=" + home / "data" +
                                 " XDG_DATA_DIRS=" + home / "system" + " timeout 10 " + CORVANE_EXECUTABLE +
                                 " --report --json");
    return {std::move(report), std::chrono::steady_clock::now() - started};
}

TEST(WindowSystemSilent, ReportGivesUpOnAServerThatNeverAnswers) {
    // Measured against the same report without any X server, so a slow build or a busy machine
    // does not count against the deadline.
    const auto withoutServer = reportWithDisplay("").second;
    for (const auto makeListener : {silentTcpListener, silentLocalListener}) {
        const SilentListener listener = makeListener();
        ASSERT_TRUE(listener.socket) << "no free display number";
        const auto [report, took] = reportWithDisplay(listener.display);
        EXPECT_EQ(report.status, 0) << listener.display;
        EXPECT_LT(took, withoutServer + 1500ms) << listener.display << ": callers waited for the silent server";
        EXPECT_NE(report.out.find("\"windowSystem\":false"), std::string::npos) << listener.display << report.out;
    }
}

} // namespace
} // namespace corvane
