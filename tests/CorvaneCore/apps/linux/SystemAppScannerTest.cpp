#include "apps/SystemAppScanner.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>


namespace corvane {
namespace {

using test::TempDir;

constexpr std::int32_t kSelf = 900;

class NoLineage final : public ProcessTreeProviding {
public:
    std::optional<ProcessLineage> lineage(std::int32_t pid) const override {
        if (pid == kSelf) return ProcessLineage{1, kSelf, std::nullopt};
        return ProcessLineage{1, pid, std::nullopt};
    }
};

/// A captured /proc with a few processes: executable link, status with footprint, stat and cgroup.
struct FakeMachine {
    TempDir root;
    TempDir applications;

    void process(int pid, const std::string& exe, std::uint64_t anonKB, const std::string& cgroup = "0::/\n",
                 int parent = 1) const {
        const std::string dir = "proc/" + std::to_string(pid);
        root.symlink(exe, dir + "/exe");
        root.write(dir + "/status", "Name:\tx\nPPid:\t" + std::to_string(parent) + "\nNSpgid:\t" + std::to_string(pid) +
                                        "\nRssAnon:\t" + std::to_string(anonKB) + " kB\nRssShmem:\t0 kB\n");
        root.write(dir + "/stat", std::to_string(pid) + " (x) S " + std::to_string(parent) + " 1 1 0 -1 0\n");
        root.write(dir + "/cgroup", cgroup);
    }

    SystemAppScanner::Options options(std::optional<WindowFacts> windows) const {
        SystemAppScanner::Options o;
        o.root = root.path();
        o.safety = SafetyPolicy(kSelf, std::make_shared<NoLineage>());
        o.windowFacts = [windows] { return windows; };
        o.applicationDirectories = std::vector<std::string>{applications.path()};
        return o;
    }
};

TEST(TopAppGroups, GroupsFoldsRanksAndJudgesCapturedProcesses) {
    FakeMachine m;
    const std::string scope = "0::/user.slice/user@1000.service/app.slice/app-gnome-org.example.Editor-5.scope\n";
    m.process(10, "/opt/editor/editor", 300 * 1024, scope);
    m.process(11, "/opt/editor/editor", 100 * 1024, scope, 10);
    m.process(20, "/Applications/Foo.app/Contents/MacOS/Foo", 50 * 1024);
    m.process(21, "/Library/X/Foo.app.bundle/Contents/MacOS/x", 60 * 1024);
    m.process(30, "/usr/bin/daemon (deleted)", 200 * 1024);
    m.process(kSelf, "/usr/bin/corvane", 1024);
    m.root.write("proc/40/status", "Name:\tkworker\n"); // kernel thread: no executable
    m.root.symlink("/usr/bin/tiny", "proc/41/exe");    // no status: skipped
    m.applications.write("org.example.Editor.desktop", "[Desktop Entry]\nName=Editor\nName[zh_CN]=编辑器\n");

    WindowFacts windows;
    windows.regularPIDs = {10};
    windows.visiblePIDs = {10};
    auto tracker = std::make_shared<ActivityTracker>();
    tracker->record("org.example.Editor");
    auto options = m.options(windows);
    options.activity = tracker;
    SystemAppScanner scanner(std::move(options));

    const auto groups = scanner.topAppGroups(30);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].id, "org.example.Editor");
    EXPECT_EQ(groups[0].name, "编辑器");
    EXPECT_EQ(groups[0].pids, (std::vector<std::int32_t>{10, 11}));
    EXPECT_EQ(groups[0].footprintBytes, 400u * 1024 * 1024);
    EXPECT_TRUE(groups[0].isRegularApp);
    EXPECT_TRUE(groups[0].hasVisibleWindow);
    EXPECT_EQ(groups[0].idleSeconds, 0.0);
    EXPECT_EQ(groups[0].safety, SafetyVerdict::caution("你正在使用它，退出前请确认已保存"));

    EXPECT_EQ(groups[1].id, "daemon");
    EXPECT_EQ(groups[1].safety, SafetyVerdict::locked("后台或系统进程，只展示，不可操作"));
    // The clone folded into its application: 50 + 60 MiB.
    EXPECT_EQ(groups[2].id, "Foo");
    EXPECT_EQ(groups[2].pids, (std::vector<std::int32_t>{20, 21}));
    EXPECT_EQ(groups[2].footprintBytes, 110u * 1024 * 1024);
    EXPECT_EQ(groups[3].safety, SafetyVerdict::locked("这就是本工具自己，已锁定（只展示，不可操作）"));
}

TEST(TopAppGroups, ApplicationsOnOneInterpreterNeverShareAGroup) {
    FakeMachine m;
    const auto unit = [](const std::string& id) {
        return "0::/user.slice/user@1000.service/app.slice/app-gnome-" + id + "-7.scope\n";
    };
    m.process(10, "/usr/bin/python3", 100 * 1024, unit("terminator"));     // a terminal written in Python
    m.process(11, "/usr/bin/python3", 50 * 1024, unit("terminator"), 10);  // a worker it forked
    m.process(12, "/usr/bin/bash", 1024, unit("terminator"), 10);          // the shell inside it
    m.process(13, "/usr/bin/python3", 30 * 1024, unit("terminator"), 12);  // a script run from that shell
    m.process(20, "/usr/bin/python3", 200 * 1024, unit("org.example.Meld")); // another Python application
    m.process(30, "/usr/bin/python3", 40 * 1024);                           // one known by its window only
    WindowFacts windows;
    windows.regularPIDs = {10, 20, 30};
    windows.visiblePIDs = {10, 20, 30};
    windows.windowClassByPID = {{10, "Terminator"}, {20, "Meld"}, {30, "Frobnicator"}};
    SystemAppScanner scanner(m.options(windows));

    const auto groups = scanner.topAppGroups(30);
    const std::string background = "后台或系统进程，只展示，不可操作";
    const struct {
        std::optional<std::string> identity;
        std::vector<std::int32_t> pids;
        SafetyVerdict safety;
    } expected[] = {
        {"org.example.Meld", {20}, SafetyVerdict::canQuit()},
        {"terminator", {10, 11}, SafetyVerdict::locked("终端或开发工具，里面可能有正在运行的任务，已锁定")},
        {"Frobnicator", {30}, SafetyVerdict::canQuit()},
        {std::nullopt, {13}, SafetyVerdict::locked(background)},
        {std::nullopt, {12}, SafetyVerdict::locked(background)},
    };
    ASSERT_EQ(groups.size(), std::size(expected));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].bundleID, expected[i].identity) << i;
        EXPECT_EQ(groups[i].pids, expected[i].pids) << i;
        EXPECT_EQ(groups[i].safety, expected[i].safety) << i;
    }
    EXPECT_EQ(groups[3].name, "python3");
}

TEST(TopAppGroups, LimitIsAppliedNonPositiveLimitOrMissingProcessTableIsEmpty) {
    FakeMachine m;
    m.process(10, "/usr/bin/a", 10);
    m.process(11, "/usr/bin/b", 30);
    m.process(12, "/usr/bin/c", 20);
    SystemAppScanner scanner(m.options(WindowFacts{}));
    const auto two = scanner.topAppGroups(2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].id, "b");
    EXPECT_EQ(two[1].id, "c");
    EXPECT_TRUE(scanner.topAppGroups(0).empty());
    EXPECT_TRUE(scanner.topAppGroups(-1).empty());
    EXPECT_TRUE(SystemAppScanner(FakeMachine().options(WindowFacts{})).topAppGroups(30).empty());
}

TEST(TopAppGroups, WithoutWindowSystemNothingIsRegular) {
    FakeMachine m;
    m.process(10, "/usr/bin/firefox", 10, "0::/user.slice/user@1000.service/app.slice/app-firefox-1.scope\n");
    SystemAppScanner scanner(m.options(std::nullopt));
    const auto groups = scanner.topAppGroups(5);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].bundleID, "firefox");
    EXPECT_FALSE(groups[0].isRegularApp);
    EXPECT_EQ(groups[0].safety.kind, SafetyVerdict::Kind::protected_);
}

} // namespace
} // namespace corvane
