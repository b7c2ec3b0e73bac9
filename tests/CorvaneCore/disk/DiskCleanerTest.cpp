#include "disk/DiskCleaner.h"

#include "support/fakes/RecordingTrasher.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::RecordingTrasher;
using test::TempDir;
using Ids = std::vector<std::string>;

DiskItem item(std::string id, std::vector<std::string> paths, std::uint64_t bytes = 1000,
              std::vector<std::string> owners = {}) {
    DiskItem made;
    made.id = std::move(id);
    made.bytes = bytes;
    made.paths = std::move(paths);
    made.ownerBundleIDs = std::move(owners);
    return made;
}

class DiskCleanerTest : public ::testing::Test {
protected:
    DiskCleanerTest() : home(dir.makeDirectory("home")) {
        for (const char* rel : {"Library/Caches/com.openai.codex", "Library/Caches/Dia", "Library/Logs/Claude",
                                "Documents", ".codex/worktrees/a/b/c"}) {
            dir.makeDirectory(std::string("home/") + rel);
        }
    }
    DiskCleanReport clean(const std::vector<DiskItem>& items, const std::set<std::string>& running = {}) {
        return DiskCleaner::clean(items, trasher, running, home, macLayout());
    }

    TempDir dir;
    std::string home;
    RecordingTrasher trasher;
};

TEST_F(DiskCleanerTest, EmptyInputGivesEmptyReport) {
    EXPECT_EQ(clean({}), DiskCleanReport{});
    EXPECT_TRUE(trasher.requested.empty());
}

TEST_F(DiskCleanerTest, RefusesUnsafeItemsWithoutTouchingAnyOfTheirPaths) {
    dir.symlink(home + "/Documents", "home/Library/Caches/Google");
    dir.symlink(home + "/Documents", "home/Library/Caches/Dia/planted");
    dir.symlink("/etc", "home/.codex/worktrees/etc");
    DiskItem blocked = item("blocked", {home + "/Library/Caches/Dia"});
    blocked.blockedReason = "Dia 正在运行，先退出它再清理";
    DiskItem informative = item("info", {});
    informative.isInfoOnly = true;
    const std::vector<DiskItem> refused{
        item("dotdot", {home + "/Library/Caches/Google/../../Documents"}),
        item("home", {home}),
        item("etc", {"/etc"}),
        item("linked-root", {home + "/Library/Caches/Google"}),
        item("linked-inside", {home + "/Library/Caches/Google/x"}),
        item("planted-in-root", {home + "/Library/Caches/Dia/planted"}),
        item("planted-worktree", {home + "/.codex/worktrees/etc/passwd"}),
        item("chrome-running", {home + "/Library/Caches/Dia"}, 1000, {"com.google.Chrome"}),
        item("five-deep", {home + "/.codex/worktrees/a/b/c"}),
        item("second-path-bad", {home + "/Library/Caches/Dia", home + "/Documents"}),
        item("no-paths", {}),
        blocked,
        informative,
    };
    const DiskCleanReport report = clean(refused, {"com.google.Chrome"});
    Ids expected;
    for (const DiskItem& i : refused) expected.push_back(i.id);
    EXPECT_EQ(report.skippedItemIDs, expected);
    EXPECT_TRUE(report.trashedItemIDs.empty());
    EXPECT_TRUE(report.failedItemIDs.empty());
    EXPECT_EQ(report.bytes, 0u);
    EXPECT_TRUE(trasher.requested.empty());
}

TEST_F(DiskCleanerTest, TrashesAllowedItemsAndCountsPartialMovesProportionally) {
    const std::string codex = home + "/Library/Caches/com.openai.codex";
    const std::string dia = home + "/Library/Caches/Dia";
    const std::string logs = home + "/Library/Logs/Claude";
    trasher.failing = {logs};
    const DiskCleanReport report = clean({
        item("codex-cache", {codex}, 700),
        item("skip-me", {"/etc"}, 5),
        item("two-paths", {dia, logs}, 1001),
        item("all-fail", {logs}, 300),
        item("owner-idle", {home + "/.codex/worktrees/a/b"}, 40, {"com.openai.codex"}),
    });
    EXPECT_EQ(report.trashedItemIDs, (Ids{"codex-cache", "owner-idle"}));
    EXPECT_EQ(report.failedItemIDs, (Ids{"two-paths", "all-fail"}));
    EXPECT_EQ(report.skippedItemIDs, (Ids{"skip-me"}));
    EXPECT_EQ(report.bytes, 700u + 1001 / 2 * 1 + 40);
    EXPECT_EQ(trasher.requested, (Ids{codex, dia, logs, logs, home + "/.codex/worktrees/a/b"}))
        << "a failed move does not stop the remaining paths and items";
}

} // namespace
} // namespace corvane
