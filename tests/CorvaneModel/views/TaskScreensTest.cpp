#include "views/CleanScreen.h"
#include "views/OptimizeScreen.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;
constexpr std::uint64_t MiB = 1ULL << 20;

AppGroup app(std::string id, std::uint64_t bytes, SafetyVerdict safety = SafetyVerdict::canQuit(),
             std::optional<double> idle = std::nullopt) {
    AppGroup g;
    g.id = id;
    g.name = id + " 名";
    g.footprintBytes = bytes;
    g.safety = std::move(safety);
    g.idleSeconds = idle;
    return g;
}

TEST(IdleText, Boundaries) {
    EXPECT_EQ(idleText(std::nullopt), std::nullopt);
    EXPECT_EQ(idleText(0), std::nullopt);
    EXPECT_EQ(idleText(599), std::nullopt);
    EXPECT_EQ(idleText(599.999), std::nullopt);
    EXPECT_EQ(idleText(600), "10 分钟没用");
    EXPECT_EQ(idleText(3599), "59 分钟没用");
    EXPECT_EQ(idleText(3600), "1 小时没用");
    EXPECT_EQ(idleText(7199), "1 小时没用");
    EXPECT_EQ(idleText(7200), "2 小时没用");
    EXPECT_EQ(idleText(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

TEST(OptimizeListHeight, ClampedBetween80And300) {
    EXPECT_EQ(optimizeListHeight(0, 0, 0), 80);
    EXPECT_EQ(optimizeListHeight(1, 0, 0), 80);
    EXPECT_EQ(optimizeListHeight(2, 0, 0), 92);
    EXPECT_EQ(optimizeListHeight(1, 1, 0), 108);
    EXPECT_EQ(optimizeListHeight(0, 0, 1), 80);
    EXPECT_EQ(optimizeListHeight(1, 0, 1), 46 + 26 + 42);
    EXPECT_EQ(optimizeListHeight(2, 2, 1), 92 + 124 + 68);
    EXPECT_EQ(optimizeListHeight(30, 0, 0), 300);
    EXPECT_EQ(optimizeListHeight(0, 0, 7), 300);
}

TEST(OptimizeScreen, SplitsRowsAndCountsTheSelection) {
    const std::vector groups{app("a", GiB, SafetyVerdict::canQuit(), 7200),
                             app("b", 512 * MiB, SafetyVerdict::caution("可能在后台同步")),
                             app("c", 2 * GiB, SafetyVerdict::locked("正在使用，已锁定"), 600)};
    const OptimizeScreenView v = optimizeScreen(groups, {"a", "b"}, false);
    EXPECT_EQ(v.title, "选择要关闭的软件");
    EXPECT_EQ(v.intro, "已帮你勾好暂时不用的。未保存的内容会先询问你。");
    ASSERT_EQ(v.selectableRows.size(), 2u);
    ASSERT_EQ(v.lockedRows.size(), 1u);
    EXPECT_EQ(v.selectableRows[0].footprintText, "，占用 1.0 GB");
    EXPECT_EQ(v.selectableRows[0].idleText, "2 小时没用");
    EXPECT_EQ(v.selectableRows[0].a11y, "a 名，占用 1.0 GB，2 小时没用");
    EXPECT_EQ(v.selectableRows[1].cautionNote, "可能在后台同步");
    EXPECT_EQ(v.selectableRows[1].a11y, "b 名，占用 512 MB，提示：可能在后台同步");
    EXPECT_EQ(v.lockedRows[0].lockReason, "正在使用，已锁定");
    EXPECT_EQ(v.lockedRows[0].a11y, "c 名，占用 2.0 GB，10 分钟没用，正在使用，已锁定，不可选择");
    EXPECT_EQ(v.listHeight, 46 + 62 + 26 + 42);
    EXPECT_EQ(v.footer.text, "2 个，约腾出 1.5 GB");
    EXPECT_TRUE(v.footer.confirmEnabled);
    EXPECT_EQ(v.footer.confirmOpacity, 1);
}

TEST(OptimizeScreen, EmptySelectionAndLoading) {
    const std::vector groups{app("a", GiB)};
    const OptimizeScreenView none = optimizeScreen(groups, {}, false);
    EXPECT_EQ(none.intro, "先看看，再决定关闭哪些。未保存的内容会先询问你。");
    EXPECT_EQ(none.footer.text, "未选择");
    EXPECT_FALSE(none.footer.confirmEnabled);
    EXPECT_EQ(none.footer.confirmOpacity, 0.35);
    EXPECT_EQ(optimizeScreen({}, {}, true).footer.text, "正在统计…");
    EXPECT_EQ(optimizeScreen({}, {}, true).listHeight, 80);
    // A ticked id that is no longer listed does not count.
    EXPECT_EQ(optimizeScreen(groups, {"gone"}, false).footer.text, "未选择");
}

TEST(OptimizeScreen, LockedRowsNeverShowATick) {
    const OptimizeScreenView v = optimizeScreen({app("c", GiB, SafetyVerdict::locked("系统组件"))}, {"c"}, false);
    ASSERT_EQ(v.lockedRows.size(), 1u);
    EXPECT_FALSE(v.lockedRows[0].selected);
}

CleanListItem cleanItem(std::string id, std::uint64_t bytes) {
    CleanListItem i;
    i.id = id;
    i.title = id + " 标题";
    i.detail = "说明";
    i.bytes = bytes;
    return i;
}

TEST(CleanGroupKind, TestingOrder) {
    CleanListItem both = cleanItem("x", GiB);
    both.isInfoOnly = true;
    both.blockedReason = "正在运行";
    both.needsConfirmation = true;
    EXPECT_EQ(cleanGroupKind(both), CleanGroupKind::infoOnly);
    both.isInfoOnly = false;
    EXPECT_EQ(cleanGroupKind(both), CleanGroupKind::blocked);
    both.blockedReason.reset();
    EXPECT_EQ(cleanGroupKind(both), CleanGroupKind::userData);
    both.needsConfirmation = false;
    EXPECT_EQ(cleanGroupKind(both), CleanGroupKind::regenerable);
}

TEST(CleanSizeText, EstimatesGetApproximatePrefix) {
    CleanListItem i = cleanItem("x", 300 * MiB);
    EXPECT_EQ(cleanSizeText(i), "300 MB");
    i.detail = "旧的构建产物（估算，约值）";
    EXPECT_EQ(cleanSizeText(i), "约 300 MB");
}

TEST(CleanScreen, GroupsRowsAndFooter) {
    CleanListItem info = cleanItem("info", 4 * GiB);
    info.isInfoOnly = true;
    info.blockedReason = "不会出现";
    CleanListItem blocked = cleanItem("blocked", 3 * GiB);
    blocked.blockedReason = "Chrome 正在运行";
    CleanListItem history = cleanItem("history", 2 * GiB);
    history.needsConfirmation = true;
    const CleanListItem cache = cleanItem("cache", GiB);
    const std::vector items{info, blocked, history, cache};

    // Ticks on rows without a check box are ignored.
    const CleanScreenView v = cleanScreen(items, {"info", "blocked", "history", "cache"}, false, true);
    EXPECT_EQ(v.intro, "已帮你勾好可再生的缓存。只会移入废纸篓，可以放回。");
    ASSERT_EQ(v.groups.size(), 4u);
    EXPECT_EQ(v.groups[0].heading, "需要你自己处理");
    ASSERT_EQ(v.groups[0].rows.size(), 1u);
    EXPECT_EQ(v.groups[0].rows[0].id, "info");
    EXPECT_EQ(v.groups[0].rows[0].noteSymbol, Symbol::info);
    EXPECT_EQ(v.groups[0].rows[0].a11ySuffix, "，仅供参考，不可选择，说明：说明");
    EXPECT_FALSE(v.groups[0].rows[0].hasCheckBox);
    EXPECT_EQ(v.groups[1].heading, "暂时不能清理");
    EXPECT_EQ(v.groups[1].rows[0].note, "Chrome 正在运行");
    EXPECT_EQ(v.groups[1].rows[0].noteSymbol, Symbol::lock);
    EXPECT_EQ(v.groups[1].rows[0].a11ySuffix, "，不可选择");
    EXPECT_EQ(cleanRowA11y(v.groups[1].rows[0]), "blocked 标题，3.0 GB，不可选择");
    EXPECT_FALSE(v.groups[1].rows[0].selected);
    EXPECT_EQ(v.groups[2].heading, "含你的产出或历史");
    EXPECT_EQ(v.groups[2].rows[0].a11ySuffix, "，含你的产出或历史");
    EXPECT_TRUE(v.groups[2].rows[0].selected);
    EXPECT_EQ(v.groups[3].heading, "清了会自动重建");
    EXPECT_TRUE(v.groups[3].rows[0].hasCheckBox);
    EXPECT_EQ(v.footer.text, "2 项，约释放 3.0 GB");
    EXPECT_TRUE(v.footer.confirmEnabled);
    EXPECT_FALSE(v.emptyText.has_value());
    EXPECT_EQ(cleanListHeight(v.groups), 4 * 26 + 2 * 56 + 2 * 40);
}

/// A scan's findings reach the clean screen's groups: risk `confirm` asks, the approximation mark
/// gives "约 ", blocked and informative items keep their reasons; no report means no list.
TEST(CleanListItems, FromTheDiskReport) {
    DiskItem cache;
    cache.id = "cache";
    cache.title = "缓存";
    cache.detail = std::string("大小") + std::string(approximateMark);
    cache.bytes = 300 * MiB;
    DiskItem history = cache;
    history.id = "history";
    history.detail = "聊天记录";
    history.risk = DiskRisk::confirm;
    DiskItem blocked = history;
    blocked.id = "blocked";
    blocked.blockedReason = "正在运行";
    DiskItem info = cache;
    info.id = "info";
    info.isInfoOnly = true;
    DiskReport report;
    report.items = {cache, history, blocked, info};

    EXPECT_EQ(cleanListItems(std::nullopt), std::nullopt);
    const auto items = cleanListItems(report);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 4U);
    EXPECT_EQ(cleanSizeText((*items)[0]), "约 300 MB");
    EXPECT_EQ(cleanSizeText((*items)[1]), "300 MB");
    const std::vector<CleanGroupKind> kinds{cleanGroupKind((*items)[0]), cleanGroupKind((*items)[1]),
                                            cleanGroupKind((*items)[2]), cleanGroupKind((*items)[3])};
    EXPECT_EQ(kinds, (std::vector{CleanGroupKind::regenerable, CleanGroupKind::userData, CleanGroupKind::blocked,
                                  CleanGroupKind::infoOnly}));
    EXPECT_EQ((*items)[2].blockedReason, "正在运行");
    EXPECT_EQ((*items)[0].title, "缓存");
}

TEST(CleanScreen, EmptyReportScanningAndFirstUse) {
    const CleanScreenView empty = cleanScreen(std::vector<CleanListItem>{}, {}, false, false);
    EXPECT_EQ(empty.intro, "先看清楚，再决定清理哪些。只会移入废纸篓，可以放回。");
    EXPECT_EQ(empty.emptyText, "没有找到可以清理的内容。");
    EXPECT_TRUE(empty.groups.empty());
    EXPECT_EQ(empty.footer.text, "未选择");
    EXPECT_FALSE(empty.footer.confirmEnabled);
    EXPECT_EQ(empty.footer.confirmOpacity, 0.35);
    EXPECT_EQ(cleanListHeight(empty.groups), 80);
    const std::vector many(20, cleanItem("x", GiB));
    EXPECT_EQ(cleanListHeight(cleanScreen(many, {}, false, false).groups), 300);
    const CleanScreenView scanning = cleanScreen(std::nullopt, {}, true, false);
    EXPECT_EQ(scanning.footer.text, "正在测量…");
    EXPECT_FALSE(scanning.emptyText.has_value());
}

TEST(SelectionFooter, WorkHoldsTheButtonButKeepsTheSummary) {
    const SelectionFooter ready = selectionFooter(false, "正在统计…", 2, " 个，约腾出 ", 3 * GiB);
    const SelectionFooter held = whileWorking(ready, true);
    EXPECT_EQ(held.text, "2 个，约腾出 3.0 GB");
    EXPECT_FALSE(held.confirmEnabled);
    EXPECT_EQ(held.confirmOpacity, 0.35);
    EXPECT_EQ(whileWorking(ready, false), ready);
}

} // namespace
} // namespace corvane
