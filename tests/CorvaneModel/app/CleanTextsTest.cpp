#include "app/CleanTexts.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;

DiskItem item(std::string id, DiskRisk risk = DiskRisk::safe, std::uint64_t bytes = GiB,
              std::vector<std::string> paths = {}) {
    DiskItem i;
    i.id = id;
    i.title = "T-" + id;
    i.detail = "清了会自动重建。";
    i.bytes = bytes;
    i.risk = risk;
    i.paths = paths.empty() ? std::vector<std::string>{"/home/u/.cache/" + id} : std::move(paths);
    return i;
}

TEST(DefaultDiskSelection, FirstUseTicksNothingLaterOnlySelectableSafeItems) {
    DiskItem blocked = item("blocked");
    blocked.blockedReason = "Chrome 正在运行，先退出它再清理";
    DiskItem info = item("info");
    info.isInfoOnly = true;
    const std::vector<DiskItem> items{item("a"), item("c", DiskRisk::confirm), blocked, info};
    EXPECT_TRUE(defaultDiskSelection(items, false).empty());
    EXPECT_EQ(defaultDiskSelection(items, true), (std::set<std::string>{"a"}));
    EXPECT_EQ(pickedDiskItems(items, {"a", "c", "blocked", "info", "missing"}).size(), 2U);
}

TEST(DiskConfirmMessage, TwelveItemsEstimatesAndConfirmWarning) {
    std::vector<DiskItem> items;
    for (int i = 0; i < 12; ++i) items.push_back(item("i" + std::to_string(i)));
    items[0].detail = "大小为估算（估算，约值）";
    items[11].risk = DiskRisk::confirm; // beyond the eight listed, still warns
    const std::string text = diskConfirmMessage(items, "文件管理器");
    EXPECT_EQ(text.rfind("将处理：「T-i0」约 1.0 GB、「T-i1」1.0 GB、", 0), 0U) << text;
    EXPECT_NE(text.find("「T-i7」1.0 GB 等 4 项。"), std::string::npos) << text;
    EXPECT_EQ(text.find("T-i8"), std::string::npos);
    EXPECT_NE(text.find("\n其中含你的产出或历史记录，请确认不再需要。"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\n只会移入废纸篓，可在废纸篓里放回；在文件管理器清倒废纸篓后才会真正释放空间。"));
    EXPECT_EQ(diskConfirmMessage({item("a")}, "文件管理器").find("其中含"), std::string::npos);
}

TEST(IntersectForCleaning, FreshSizesKeptVanishedAndBlockedSkipped) {
    DiskItem nowBlocked = item("b");
    nowBlocked.blockedReason = "正在运行";
    const auto plan = intersectForCleaning({item("a"), item("b"), item("gone")},
                                           {item("a", DiskRisk::safe, 3 * GiB), nowBlocked});
    ASSERT_EQ(plan.toClean.size(), 1U);
    EXPECT_EQ(plan.toClean[0].bytes, 3 * GiB);
    ASSERT_EQ(plan.skipped.size(), 2U);
    EXPECT_EQ(plan.skipped[0].id, "b");
    EXPECT_EQ(plan.skipped[1].id, "gone");
}

TEST(IntersectForCleaning, SharedIDWithUnshownPathsIsNeverCleaned) {
    // Two worktrees can carry the same id; the fresh scan found a different one.
    const DiskItem shown = item("wt-x", DiskRisk::confirm, GiB, {"/home/u/.codex/worktrees/1/x"});
    const DiskItem other = item("wt-x", DiskRisk::confirm, GiB, {"/home/u/.codex/worktrees/2/x"});
    auto plan = intersectForCleaning({shown}, {other});
    EXPECT_TRUE(plan.toClean.empty());
    EXPECT_EQ(plan.skipped.size(), 1U);
    // A fresh item with an extra path counts as changed too; one with a subset is fine.
    const DiskItem grown = item("wt-x", DiskRisk::confirm, GiB, {"/home/u/.codex/worktrees/1/x", "/etc"});
    EXPECT_TRUE(intersectForCleaning({shown}, {grown}).toClean.empty());
    plan = intersectForCleaning({shown}, {other, shown});
    ASSERT_EQ(plan.toClean.size(), 1U);
    EXPECT_EQ(plan.toClean[0].paths, shown.paths);
}

TEST(DiskResultSentence, Clauses) {
    DiskCleanReport report;
    report.bytes = static_cast<std::uint64_t>(1.2 * static_cast<double>(GiB));
    report.failedItemIDs = {"x"};
    EXPECT_EQ(diskResultSentence(report, 0, "文件管理器"), "已移入废纸篓 1.2 GB。在文件管理器清倒废纸篓后才会释放。有 1 项没能移动。");
    EXPECT_EQ(diskResultSentence(DiskCleanReport{}, 1, "文件管理器"), "没有移动任何项目。有 1 项已变化，已跳过。");
    DiskCleanReport skipped;
    skipped.skippedItemIDs = {"a", "b"};
    EXPECT_EQ(diskResultSentence(skipped, 0, "文件管理器"), "没有移动任何项目。2 项正在使用或受保护，没有动。");
}

/// The file manager's name reads naturally in both texts: spaces only beside Latin letters.
TEST(CleanTexts, FileManagerNameJoinsWithoutStraySpaces) {
    const struct {
        const char* name;
        const char* joined;
    } cases[] = {
        {"文件管理器", "在文件管理器清倒"},
        {"Finder", "在 Finder 清倒"},
        {"Dolphin 文件管理器", "在 Dolphin 文件管理器清倒"},
        {"", "在清倒"},
    };
    DiskCleanReport moved;
    moved.bytes = GiB;
    for (const auto& c : cases) {
        EXPECT_NE(diskResultSentence(moved, 0, c.name).find(std::string("。") + c.joined + "废纸篓后才会释放。"),
                  std::string::npos)
            << c.name;
        EXPECT_TRUE(diskConfirmMessage({item("a")}, c.name).ends_with(std::string(c.joined) + "废纸篓后才会真正释放空间。"))
            << c.name;
    }
}

} // namespace
} // namespace corvane
