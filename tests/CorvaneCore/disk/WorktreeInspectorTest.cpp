#include "disk/SystemDiskAdvisor.h"
#include "disk/WorktreeInspector.h"

#include "support/ManualClock.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>

namespace corvane {
namespace {

using test::TempDir;
using Strings = std::vector<std::string>;

constexpr std::uint64_t MiB = 1'048'576;

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

    TempDir dir;
    std::string home;
    test::ScopedEnvironment homeVariable;
};

TEST_F(WorktreeTest, VerdictsFollowWhatGitReports) {
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

    EXPECT_EQ(reasonText(WorktreeVerdict::clean), std::nullopt);
    EXPECT_EQ(reasonText(WorktreeVerdict::unknown), "无法确认 git 状态，请手动检查");
}

TEST_F(WorktreeTest, HangingGitIsTerminatedAndReaped) {
    const std::string hook = dir.write("hang.sh", "#!/bin/sh\nsleep 30\n");
    ::chmod(hook.c_str(), 0755);
    const std::string path = worktree("hung");
    dir.git("home/src/repo", "config core.fsmonitor '" + hook + "'");
    EXPECT_EQ(WorktreeInspector::inspect(path, 0.3), WorktreeVerdict::unknown);
    // Every child this process started has been waited for: nothing is left to reap.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
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
    const auto scan = [&] {
        return SystemDiskAdvisor(home, [&running] { return running; }, test::ManualClock().clock(), {}, macLayout()).scan();
    };
    DiskReport report = scan();
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
    report = scan();
    EXPECT_EQ(report.items[3].blockedReason, "Codex 正在运行，先退出它再清理");
    EXPECT_EQ(report.items[2].blockedReason, "有未提交改动") << "git's reason stays first";
}

TEST_F(WorktreeTest, IdsReplaceSlashesSoNestedAndDashedNamesMeet) {
    worktree("a-b", 60 * MiB);
    worktree("a/b", 70 * MiB);
    const DiskReport report =
        SystemDiskAdvisor(home, [] { return std::set<std::string>{}; }, test::ManualClock().clock(), {}, macLayout()).scan();
    ASSERT_EQ(report.items.size(), 2u);
    EXPECT_EQ(report.items[0].id, "codex-worktree-a-b");
    EXPECT_EQ(report.items[0].title, "Codex 闲置工作区「b」");
    EXPECT_EQ(report.items[1].id, "codex-worktree-a-b");
    EXPECT_EQ(report.items[1].title, "Codex 闲置工作区「a-b」");
}

} // namespace
} // namespace corvane
