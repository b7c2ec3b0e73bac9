#include "apps/RunningApplicationIDs.h"
#include "disk/SystemDiskAdvisor.h"
#include "disk/WorktreeInspector.h"

#include "support/FileRead.h"
#include "support/ManualClock.h"
#include "support/NamedProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/UniqueDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace corvane {
namespace {

using test::TempDir;
using Strings = std::vector<std::string>;

constexpr std::uint64_t MiB = 1'048'576;

/// Ids of the processes whose command line holds `argument`.
std::vector<pid_t> processesWithArgument(const std::string& argument) {
    std::vector<pid_t> found;
    const UniqueDir proc = openDirectory("/proc");
    while (const dirent* entry = ::readdir(proc.get())) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0) continue;
        const std::string commandLine = readWholeFile("/proc/" + std::string(entry->d_name) + "/cmdline").value_or("");
        if (commandLine.find(argument) != std::string::npos) found.push_back(pid);
    }
    return found;
}

/// A temporary home (also $HOME, which git receives) with a repository at src/repo whose commit
/// is pushed to a bare remote, and helpers that add linked worktrees below .codex/worktrees.
class WorktreeTest : public ::testing::Test {
protected:
    WorktreeTest() : home(dir.makeDirectory("home")), homeVariable("HOME", home) {
        dir.gitRepositoryWithRemote("remote.git", "home/src/repo");
    }

    /// Adds a detached worktree of src/repo at .codex/worktrees/`rel`; returns its absolute path.
    std::string worktree(const std::string& rel, std::uint64_t ignoredBytes = 0) {
        const std::string path = home + "/.codex/worktrees/" + rel;
        dir.git("home/src/repo", "worktree add -q --detach '" + path + "' HEAD");
        if (ignoredBytes > 0) dir.allocateFolder("home/.codex/worktrees/" + rel + "/big", ignoredBytes);
        return path;
    }

    /// Makes git block on the worktree at `path` as on a hung file system: its index becomes a
    /// pipe that nobody writes.
    void hang(const std::string& path) {
        std::string admin = readWholeFile(path + "/.git").value_or("");
        admin = admin.substr(admin.find(' ') + 1);
        admin.erase(admin.find_last_not_of('\n') + 1);
        const std::string index = admin + "/index";
        ASSERT_EQ(::unlink(index.c_str()), 0);
        ASSERT_EQ(::mkfifo(index.c_str(), 0644), 0);
    }

    DiskReport scan(std::function<std::set<std::string>()> running, SystemDiskAdvisor::Tuning tuning = {}) {
        return SystemDiskAdvisor(home, std::move(running), test::ManualClock().clock(), tuning, macLayout()).scan();
    }

    TempDir dir;
    std::string home;
    test::ScopedEnvironment homeVariable;
};

TEST_F(WorktreeTest, VerdictsFollowWhatGitReports) {
    // Configured to hide untracked files: they must count all the same.
    dir.git("home/src/repo", "config status.showUntrackedFiles no");
    const std::string clean = worktree("abc/repo");
    EXPECT_EQ(WorktreeInspector::inspect(clean, 5), WorktreeVerdict::clean);

    const std::string untracked = worktree("untracked");
    dir.write("home/.codex/worktrees/untracked/notes.txt", "draft");
    EXPECT_EQ(WorktreeInspector::inspect(untracked, 5), WorktreeVerdict::dirty);

    const std::string unpushed = worktree("unpushed");
    dir.git("home/.codex/worktrees/unpushed", "commit -q --allow-empty -m local");
    EXPECT_EQ(WorktreeInspector::inspect(unpushed, 5), WorktreeVerdict::unpushed);

    EXPECT_EQ(WorktreeInspector::inspect(home + "/src/repo", 5), WorktreeVerdict::notWorktree) << "a full clone";

    const std::string header = "gitdir: " + home + "/src/repo/.git/worktrees/gone\n";
    dir.write("fake/limit/.git", header + std::string(4095 - header.size(), '\n'));
    EXPECT_EQ(WorktreeInspector::inspect(dir / "fake/limit", 5), WorktreeVerdict::unknown)
        << "4,095 bytes are read; git then fails on the missing administrative folder";
    dir.write("fake/large/.git", header + std::string(4096 - header.size(), '\n'));
    EXPECT_EQ(WorktreeInspector::inspect(dir / "fake/large", 5), WorktreeVerdict::notWorktree);
    dir.write("fake/plain/.git", "gitdir: " + home + "/src/repo/.git\n");
    EXPECT_EQ(WorktreeInspector::inspect(dir / "fake/plain", 5), WorktreeVerdict::notWorktree);
    dir.write("fake/binary/.git", "gitdir: /x/worktrees/\xff\xfe");
    EXPECT_EQ(WorktreeInspector::inspect(dir / "fake/binary", 5), WorktreeVerdict::notWorktree);
    EXPECT_EQ(WorktreeInspector::inspect(dir / "missing", 5), WorktreeVerdict::notWorktree);

    // A filter whose name "-c" cannot address could not be switched off: git is not run.
    dir.git("home/src/repo", "config 'filter.a=b.clean' true");
    EXPECT_EQ(WorktreeInspector::inspect(clean, 5), WorktreeVerdict::unknown);

    EXPECT_EQ(reasonText(WorktreeVerdict::clean), std::nullopt);
    EXPECT_EQ(reasonText(WorktreeVerdict::unknown), "无法确认 git 状态，请手动检查");
}

TEST_F(WorktreeTest, HangingGitIsTerminatedAndReaped) {
    const std::string path = worktree("hung");
    hang(path);
    EXPECT_EQ(WorktreeInspector::inspect(path, 0.3), WorktreeVerdict::unknown);
    const auto past = addingSeconds(std::chrono::system_clock::now(), -1);
    EXPECT_EQ(WorktreeInspector::inspect(worktree("late"), 5, past), WorktreeVerdict::unknown)
        << "nothing runs once the deadline has passed";
    // Every child this process started has been waited for: nothing is left to reap.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(WorktreeTest, InspectionRunsNoneOfTheRepositorysPrograms) {
    // Each program leaves a marker and a detached process that would outlive git's process group.
    const std::string token = "corvane-escape-" + std::to_string(::getpid());
    const auto program = [&](const std::string& name, const std::string& then) {
        const std::string path = dir.write("programs/" + name,
                                           "#!/bin/sh\ntouch '" + (dir / "markers/") + name + "'\n" +
                                               "setsid sh -c 'sleep 300' " + token + " </dev/null >/dev/null 2>&1 &\n" +
                                               then + "\n");
        ::chmod(path.c_str(), 0755);
        return path;
    };
    dir.makeDirectory("markers");
    dir.write("home/src/repo/a.txt", "text\n");
    dir.write("home/src/repo/b.dat", "data\n");
    dir.write("home/src/repo/.gitattributes", "*.txt filter=mark\n*.dat filter=global\n");
    dir.git("home/src/repo", "add a.txt b.dat .gitattributes");
    dir.git("home/src/repo", "commit -q -m filtered");
    dir.git("home/src/repo", "push -q");
    const std::string path = worktree("quiet");

    dir.git("home/src/repo", "config core.fsmonitor '" + program("fsmonitor", "sleep 30") + "'");
    dir.git("home/src/repo", "config filter.mark.clean '" + program("clean", "cat") + "'");
    dir.write("home/.gitconfig", "[filter \"global\"]\n\tprocess = " + program("process", "exit 1") + "\n");
    const std::string hooks = dir.makeDirectory("home/src/repo/.git/hooks");
    ::rename(program("post-index-change", "exit 0").c_str(), (hooks + "/post-index-change").c_str());
    // Changed times make git compare the files' contents, which is where the filters would run.
    dir.setModified("home/.codex/worktrees/quiet/a.txt", 1'000'000'000);
    dir.setModified("home/.codex/worktrees/quiet/b.dat", 1'000'000'000);

    EXPECT_EQ(WorktreeInspector::inspect(path, 5), WorktreeVerdict::clean);
    ::usleep(200'000); // time for anything started in the background to show itself
    const UniqueDir markers = openDirectory(dir / "markers");
    std::vector<std::string> written;
    while (const dirent* entry = ::readdir(markers.get())) {
        if (entry->d_name[0] != '.') written.push_back(entry->d_name);
    }
    EXPECT_EQ(written, Strings{});
    const std::vector<pid_t> escaped = processesWithArgument(token);
    EXPECT_TRUE(escaped.empty());
    for (const pid_t pid : escaped) ::kill(pid, SIGKILL);
}

TEST_F(WorktreeTest, HungWorktreesShareOneDeadlineAndCountAsUnknown) {
    for (int i = 0; i < 10; ++i) hang(worktree("hung-" + std::to_string(i)));
    SystemDiskAdvisor::Tuning tuning;
    tuning.minItemBytes = 1;
    tuning.worktreeDeadline = 1.0;
    const auto start = std::chrono::steady_clock::now();
    const DiskReport report = scan([] { return std::set<std::string>{}; }, tuning);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    int unknown = 0;
    for (const DiskItem& item : report.items) {
        if (item.id.rfind("codex-worktree-hung-", 0) != 0) continue;
        EXPECT_EQ(item.blockedReason, "无法确认 git 状态，请手动检查") << item.id;
        ++unknown;
    }
    EXPECT_EQ(unknown, 10);
    // Two commands at a time with 2 s each would take 10 s; the shared deadline ends it after one
    // second, plus the moment a terminated git takes to exit.
    EXPECT_LT(seconds, 2.5);
}

TEST_F(WorktreeTest, RunCapsOutputAndDropsTextThatIsNotUtf8) {
    dir.write("home/src/repo/large.txt", std::string(100'000, 'a'));
    const std::string large = dir.git("home/src/repo", "hash-object -w large.txt");
    const auto capped = WorktreeInspector::run({"-C", home + "/src/repo", "cat-file", "-p", large.substr(0, 40)}, 5);
    ASSERT_TRUE(capped.has_value());
    EXPECT_EQ(capped->code, 0);
    EXPECT_EQ(capped->out, std::string(65'536, 'a'));

    dir.write("home/src/repo/latin1.txt", "caf\xe9\n");
    const std::string latin1 = dir.git("home/src/repo", "hash-object -w latin1.txt");
    const auto invalid = WorktreeInspector::run({"-C", home + "/src/repo", "cat-file", "-p", latin1.substr(0, 40)}, 5);
    ASSERT_TRUE(invalid.has_value());
    EXPECT_EQ(invalid->out, "");

    // Only the fixed environment reaches git: HOME yes, a stray GIT_DIR no.
    dir.write("home/.gitconfig", "[corvane]\n\tprobe = from-home\n");
    std::optional<ChildResult> probe, status;
    {
        const test::ScopedEnvironment stray("GIT_DIR", "/nonexistent");
        probe = WorktreeInspector::run({"-C", home + "/src/repo", "config", "--global", "corvane.probe"}, 5);
        status = WorktreeInspector::run({"-C", home + "/src/repo", "status", "--porcelain"}, 5);
    }
    ASSERT_TRUE(probe.has_value());
    EXPECT_EQ(probe->out, "from-home\n");
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->code, 0);
    const auto failed = WorktreeInspector::run({"-C", home + "/no-such-folder", "status"}, 5);
    ASSERT_TRUE(failed.has_value());
    EXPECT_NE(failed->code, 0);
}

TEST_F(WorktreeTest, ScanOffersOnlyWorktreesGitConfirms) {
    worktree("abc/repo", 60 * MiB);
    worktree("solo", 70 * MiB);
    dir.write("home/.codex/worktrees/solo/notes.txt", "draft");
    worktree("def/ahead", 80 * MiB);
    dir.git("home/.codex/worktrees/def/ahead", "commit -q --allow-empty -m local");
    worktree("small/repo", 40 * MiB);
    dir.gitRepositoryWithRemote("remote2.git", "home/.codex/worktrees/clone");
    dir.allocateFolder("home/.codex/worktrees/clone/big", 90 * MiB);
    dir.symlink(home + "/src", "home/.codex/worktrees/linked");

    std::set<std::string> running;
    const auto scanNow = [&] { return scan([&running] { return running; }); };
    DiskReport report = scanNow();
    Strings ids;
    for (const DiskItem& item : report.items) ids.push_back(item.id);
    EXPECT_EQ(ids, (Strings{"codex-worktree-clone", "codex-worktree-def-ahead", "codex-worktree-solo",
                            "codex-worktree-abc-repo"}));

    const DiskItem& clean = report.items[3];
    EXPECT_EQ(clean.title, "Codex 闲置工作区「repo」");
    EXPECT_EQ(clean.detail, "git 工作区：无未提交改动，提交已在远端分支里。移入废纸篓后可放回。");
    EXPECT_EQ(clean.paths, (Strings{home + "/.codex/worktrees/abc/repo"}));
    EXPECT_EQ(clean.ownerBundleIDs, (Strings{"com.openai.codex"}));
    EXPECT_EQ(clean.risk, DiskRisk::confirm);
    EXPECT_TRUE(clean.isActionable());

    EXPECT_EQ(report.items[2].title, "Codex 闲置工作区「solo」");
    EXPECT_EQ(report.items[2].detail, "git 工作区，当前不可清理：有未提交改动。");
    EXPECT_EQ(report.items[2].blockedReason, "有未提交改动");
    EXPECT_EQ(report.items[1].blockedReason, "有未推送提交");
    EXPECT_EQ(report.items[0].blockedReason, "不是独立的 git worktree，无法判断是否安全");

    running = {"com.openai.codex"};
    report = scanNow();
    EXPECT_EQ(report.items[3].blockedReason, "Codex 正在运行，先退出它再清理");
    EXPECT_EQ(report.items[2].blockedReason, "有未提交改动") << "git's reason stays first";
}

TEST_F(WorktreeTest, IdsReplaceSlashesSoNestedAndDashedNamesMeet) {
    worktree("a-b", 60 * MiB);
    worktree("a/b", 70 * MiB);
    const DiskReport report = scan([] { return std::set<std::string>{}; });
    ASSERT_EQ(report.items.size(), 2u);
    EXPECT_EQ(report.items[0].id, "codex-worktree-a-b");
    EXPECT_EQ(report.items[0].title, "Codex 闲置工作区「b」");
    EXPECT_EQ(report.items[1].id, "codex-worktree-a-b");
    EXPECT_EQ(report.items[1].title, "Codex 闲置工作区「a-b」");
}

TEST_F(WorktreeTest, RunningCodexCommandBlocksItsWorktrees) {
    worktree("abc/repo", 60 * MiB);
    const test::NamedProcess codex("codex");
    const DiskReport report = scan(runningApplicationIDs);
    ASSERT_EQ(report.items.size(), 1u);
    EXPECT_EQ(report.items[0].blockedReason, "Codex 正在运行，先退出它再清理");
}

} // namespace
} // namespace corvane
