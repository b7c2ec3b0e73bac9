#include "views/AISection.h"
#include "views/DashFooter.h"
#include "views/DashHeader.h"
#include "views/DiskSection.h"
#include "views/IdleStat.h"
#include "views/MemoryColumn.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;

TEST(HeaderSummary, AIRowsTakePrecedenceOverMemory) {
    const HeaderSummary quiet = headerSummary(true, 0, PressureLevel::critical);
    EXPECT_EQ(quiet.icon.symbol, Symbol::sparkles);
    EXPECT_EQ(quiet.text, "AI 工具");
    const HeaderSummary waiting = headerSummary(true, 2, PressureLevel::normal);
    EXPECT_EQ(waiting.icon, (TintedSymbol{Symbol::bellBadge, ViewTint::blue}));
    EXPECT_EQ(waiting.text, "2 个在等你");
    EXPECT_EQ(waiting.a11y, "2 个 AI 会话在等你");
}

TEST(HeaderSummary, MemoryStateByLevel) {
    const std::tuple<PressureLevel, TintedSymbol, std::string> cases[] = {
        {PressureLevel::normal, {Symbol::checkCircle, ViewTint::green}, "内存状态：良好"},
        {PressureLevel::elevated, {Symbol::warningFilled, ViewTint::orange}, "内存状态：偏紧"},
        {PressureLevel::critical, {Symbol::stopFilled, ViewTint::red}, "内存状态：紧张"},
    };
    for (const auto& [level, icon, text] : cases) {
        EXPECT_EQ(headerSummary(false, 3, level), (HeaderSummary{icon, text, text}));
        EXPECT_EQ(pressureIcon(level), icon);
    }
}

MemorySnapshot snapshot(std::uint64_t total, std::uint64_t free, std::uint64_t cached) {
    MemorySnapshot s;
    s.totalBytes = total;
    s.freeBytes = free;
    s.cachedBytes = cached;
    return s;
}

TEST(MemoryColumn, SentenceBarAndButton) {
    const MemoryColumnView v =
        memoryColumn(snapshot(16 * GiB, 2 * GiB, 2 * GiB), PressureLevel::elevated, std::nullopt);
    EXPECT_EQ(v.usedPercent, 75);
    EXPECT_EQ(v.a11y, "内存已用 75%，状态偏紧，12 GB，共 16 GB");
    EXPECT_EQ(v.memoryBar.level, BarLevel::elevated);
    EXPECT_DOUBLE_EQ(v.memoryBar.fraction, 0.75);
    EXPECT_EQ(v.memoryBar.warnWord, "偏紧");
    EXPECT_TRUE(v.showsOptimizeButton);
    EXPECT_FALSE(v.swapBar.has_value());
    EXPECT_FALSE(v.resultLine.has_value());
}

TEST(MemoryColumn, NormalLevelHidesButtonAndWarnWord) {
    const MemoryColumnView v =
        memoryColumn(snapshot(8 * GiB, 6 * GiB, 0), PressureLevel::normal, std::string("已关闭 3 个。"));
    EXPECT_FALSE(v.showsOptimizeButton);
    EXPECT_EQ(v.memoryBar.warnWord, "");
    EXPECT_EQ(v.resultLine, "结果：已关闭 3 个。");
}

TEST(MemoryColumn, FreePlusCachedAboveTotalCountsAsNothingUsed) {
    const MemoryColumnView v = memoryColumn(snapshot(8 * GiB, 6 * GiB, 4 * GiB), PressureLevel::normal, std::nullopt);
    EXPECT_EQ(v.usedPercent, 0);
    EXPECT_EQ(v.a11y, "内存已用 0%，状态良好，0 MB，共 8.0 GB");
    const MemoryColumnView empty = memoryColumn(snapshot(0, 0, 0), PressureLevel::normal, std::nullopt);
    EXPECT_EQ(empty.usedPercent, 0);
    EXPECT_EQ(empty.memoryBar.fraction, 0);
}

/// Below 1 GiB of swap in use always normal; then critical from 85 % of the total (or without a
/// total, or above it, when the counters disagree), elevated from 50 %.
TEST(SwapBarLevel, ByAmountThenShareOfTheTotal) {
    using enum BarLevel;
    const std::tuple<std::uint64_t, std::uint64_t, BarLevel> table[] = {
        {GiB - 1, GiB - 1, normal},         {GiB - 1, 0, normal},          {GiB, GiB, critical},
        {4 * GiB, 4 * GiB, critical},       {GiB, 0, critical},            {85 * GiB / 10, 10 * GiB, critical},
        {84 * GiB / 10, 10 * GiB, elevated}, {5 * GiB, 10 * GiB, elevated}, {5 * GiB - 1, 10 * GiB, normal},
        {3 * GiB, 2 * GiB, critical},
    };
    for (const auto& [used, total, level] : table) EXPECT_EQ(swapBarLevel(used, total), level) << used << "/" << total;
}

TEST(MemoryColumn, SwapLineOnlyWhileSwapIsInUse) {
    MemorySnapshot s = snapshot(16 * GiB, 8 * GiB, 0);
    s.swapTotalBytes = 2 * GiB;
    EXPECT_FALSE(memoryColumn(s, PressureLevel::normal, std::nullopt).swapBar.has_value());
    s.swapUsedBytes = 2 * GiB;
    const auto swap = memoryColumn(s, PressureLevel::normal, std::nullopt).swapBar;
    ASSERT_TRUE(swap.has_value());
    EXPECT_EQ(swap->label, "硬盘当内存");
    EXPECT_EQ(swap->level, BarLevel::critical);
    EXPECT_EQ(swap->warnWord, "偏多");
    EXPECT_EQ(swap->fraction, 1.0);
    s.swapUsedBytes = GiB - 1;
    EXPECT_EQ(memoryColumn(s, PressureLevel::normal, std::nullopt).swapBar->warnWord, "");
}

AppGroup group(std::string id, std::uint64_t bytes) {
    AppGroup g;
    g.id = id;
    g.name = std::move(id);
    g.footprintBytes = bytes;
    return g;
}

TEST(IdleStat, ThreeStates) {
    const IdleStatView counting = idleStat(std::nullopt, 3 * GiB);
    EXPECT_EQ(counting.state, IdleStatView::State::counting);
    EXPECT_EQ(counting.label, "闲置可腾出");
    EXPECT_EQ(counting.value, "正在统计…");
    EXPECT_EQ(counting.a11y, "闲置软件，正在统计");
    EXPECT_FALSE(counting.showsReclaimButton);

    const IdleStatView none = idleStat(std::vector<AppGroup>{}, 3 * GiB);
    EXPECT_EQ(none.value, "暂无");
    EXPECT_EQ(none.a11y, "暂无可关闭的闲置软件");
    EXPECT_FALSE(none.showsReclaimButton);
    EXPECT_FALSE(none.hint.has_value());

    const IdleStatView some = idleStat(std::vector{group("a", GiB), group("b", GiB / 2)}, 3 * GiB);
    EXPECT_EQ(some.value, "1.5 GB");
    EXPECT_EQ(some.reclaimableBytes, GiB + GiB / 2);
    EXPECT_EQ(some.a11y, "闲置软件可腾出 1.5 GB");
    EXPECT_EQ(some.hint, "点按一键腾出，会先让你确认");
    EXPECT_TRUE(some.showsReclaimButton);
    EXPECT_EQ(some.help, "系统缓存约 3.0 GB 会自动回收，不用管。点这里可一键关闭闲置软件来腾出内存。");
}

TEST(DiskStateLook, ThresholdsAndColours) {
    EXPECT_EQ(diskStateLook(15 * GiB).state, DiskStateLook::State::roomy);
    EXPECT_EQ(diskStateLook(15 * GiB).color, (SRGBColor{0.19, 0.82, 0.35}));
    EXPECT_EQ(diskStateLook(15 * GiB - 1).state, DiskStateLook::State::low);
    const DiskStateLook eight = diskStateLook(8 * GiB);
    EXPECT_EQ(eight.state, DiskStateLook::State::low);
    EXPECT_EQ(eight.symbol, Symbol::warningFilled);
    EXPECT_EQ(eight.color, (SRGBColor{1.0, 0.62, 0.04}));
    EXPECT_EQ(eight.text, "磁盘快满了，会让电脑变卡");
    const DiskStateLook under = diskStateLook(8 * GiB - 1);
    EXPECT_EQ(under.symbol, Symbol::stopFilled);
    EXPECT_EQ(under.color, (SRGBColor{1.0, 0.27, 0.23}));
    EXPECT_EQ(under.text, "磁盘几乎满了，电脑很可能因此变卡");
    EXPECT_EQ(diskStateLook(0).state, DiskStateLook::State::nearlyFull);
}

CleanListItem item(std::string id, std::uint64_t bytes, std::string detail = "") {
    CleanListItem i;
    i.id = std::move(id);
    i.bytes = bytes;
    i.detail = std::move(detail);
    return i;
}

TEST(DiskSection, MeasureStates) {
    const DiskSectionView before = diskSection(20 * GiB, false, false, std::nullopt, std::nullopt);
    EXPECT_EQ(before.title, "磁盘");
    EXPECT_EQ(before.freeLine, "磁盘还剩 20 GB");
    EXPECT_EQ(before.measureText, "测量可释放空间");
    EXPECT_EQ(before.hint, "只在你点按时才扫描，几秒内完成");
    EXPECT_FALSE(before.showsCleanButton);

    // A scan runs only without a report, but scanning wins if both are ever handed in.
    const DiskSectionView during = diskSection(20 * GiB, true, true, std::vector<CleanListItem>{}, std::nullopt);
    EXPECT_EQ(during.title, "磁盘 · 刚才提醒的");
    EXPECT_EQ(during.measureText, "正在测量…");
    EXPECT_EQ(during.measureA11y, "正在测量可释放空间");
    EXPECT_FALSE(during.showsCleanButton);
}

TEST(DiskSection, AfterScanCountsOnlySelectableItemsAndMarksEstimates) {
    CleanListItem blocked = item("b", 5 * GiB);
    blocked.blockedReason = "正在运行";
    CleanListItem info = item("i", 7 * GiB, "（估算，约值）");
    info.isInfoOnly = true;
    const std::vector items{item("a", 2 * GiB), blocked, info};
    const DiskSectionView v = diskSection(9 * GiB, false, false, items, std::string("已移入废纸篓。"));
    EXPECT_EQ(v.measureText, "可释放约 2.0 GB（估算）");
    EXPECT_EQ(v.measureA11y, "可释放约 2.0 GB，为估算下限");
    EXPECT_EQ(v.hint, "先测量可以清理的内容，再让你选择，不会直接删除");
    EXPECT_TRUE(v.showsCleanButton);
    EXPECT_EQ(v.resultLine, "结果：已移入废纸篓。");
    const DiskSectionView exact = diskSection(9 * GiB, false, false, std::vector{item("a", 2 * GiB)}, std::nullopt);
    EXPECT_EQ(exact.measureText, "可释放约 2.0 GB");
    EXPECT_EQ(exact.measureA11y, "可释放约 2.0 GB");
}

/// The disk section counts the scanned items as the report lists them: a "confirm" risk asks for
/// confirmation, blocked and information-only items stay so.
TEST(CleanListItems, FollowTheReportInOrder) {
    EXPECT_FALSE(cleanListItems(std::nullopt).has_value());
    DiskReport report;
    const auto diskItem = [](std::string id, std::string title, std::string detail, std::uint64_t bytes,
                             DiskRisk risk) {
        DiskItem i;
        i.id = std::move(id);
        i.title = std::move(title);
        i.detail = std::move(detail);
        i.bytes = bytes;
        i.risk = risk;
        return i;
    };
    const DiskItem history = diskItem("h", "历史", "（估算，约值）", 3 * GiB, DiskRisk::confirm);
    DiskItem blocked = diskItem("b", "缓存", "", GiB, DiskRisk::safe);
    blocked.blockedReason = "正在运行";
    DiskItem info = diskItem("i", "说明", "", GiB, DiskRisk::confirm);
    info.isInfoOnly = true;
    report.items = {history, blocked, info};
    const auto items = cleanListItems(report);
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 3u);
    EXPECT_EQ((*items)[0], (CleanListItem{"h", "历史", "（估算，约值）", 3 * GiB, true, std::nullopt, false}));
    EXPECT_TRUE((*items)[0].isApproximate());
    EXPECT_EQ((*items)[1], (CleanListItem{"b", "缓存", "", GiB, false, std::string("正在运行"), false}));
    EXPECT_TRUE((*items)[2].isInfoOnly);
    EXPECT_FALSE((*items)[2].isSelectable());
}

/// The counting minutes sit at the end of the subtitle; a subtitle that does not end with them
/// is shown whole.
TEST(AIRowSubtitle, TextBeforeTheCountingMinutes) {
    AIRow row;
    row.subtitle = "Claude Code · web · 等了 12 分钟";
    EXPECT_EQ(subtitleBeforeMinutes(row), row.subtitle);
    row.durationLead = "web · 等了 ";
    row.durationMinutes = 12;
    row.durationTail = " 分钟";
    EXPECT_EQ(subtitleBeforeMinutes(row), "Claude Code · ");
    row.durationMinutes = 13;
    EXPECT_EQ(subtitleBeforeMinutes(row), row.subtitle);
    row.subtitle = "web · 等了 13 分钟";
    EXPECT_EQ(subtitleBeforeMinutes(row), "");
}

TEST(AISectionLayout, FiveRowsThenToggle) {
    EXPECT_EQ(aiSectionLayout(5, false), (AISectionLayout{5, 0, std::nullopt}));
    EXPECT_EQ(aiSectionLayout(0, true), (AISectionLayout{0, 0, std::nullopt}));
    const AISectionLayout six = aiSectionLayout(6, false);
    EXPECT_EQ(six.alwaysShown, 5u);
    EXPECT_EQ(six.overflow, 1u);
    EXPECT_EQ(six.toggleText, "另有 1 个 AI 会话，点按展开");
    EXPECT_EQ(aiSectionLayout(9, true).toggleText, "收起其余 AI 会话");
}

/// The tool's symbol tinted by activity; a finished row waiting for the user is a green check.
TEST(AIRowIcon, ToolSymbolActivityTintAndFinishedCheck) {
    using enum AIActivity;
    const std::tuple<AIToolKind, AIActivity, const char*, TintedSymbol> table[] = {
        {AIToolKind::codex, waitingForUser, "Codex 干完了", {Symbol::checkCircle, ViewTint::green}},
        {AIToolKind::codex, idle, "Codex 干完了", {Symbol::code, ViewTint::secondary}},
        {AIToolKind::claudeCode, waitingForUser, "Claude Code 在等你回复", {Symbol::terminal, ViewTint::blue}},
        {AIToolKind::claudeDesktop, mayNeedConfirmation, "Claude 可能卡住了", {Symbol::sparkles, ViewTint::orange}},
        {AIToolKind::claudeCode, working, "Claude Code 工作中", {Symbol::terminal, ViewTint::secondary}},
    };
    for (const auto& [tool, activity, title, icon] : table) EXPECT_EQ(aiRowIcon(tool, activity, title), icon) << title;
    EXPECT_EQ(aiRowA11yLabel(AIToolKind::claudeDesktop, "Claude 空闲"), "Claude 会话：Claude 空闲");
}

TEST(QuietSwitchLook, PausedAndRunning) {
    EXPECT_EQ(quietSwitchLook(false),
              (QuietSwitchLook{"安静 1 小时", "未开启", "1 小时内不弹出提醒（岛仍可手动打开）"}));
    EXPECT_EQ(quietSwitchLook(true), (QuietSwitchLook{"安静中 · 点此恢复", "已开启", "恢复提醒"}));
}

} // namespace
} // namespace corvane
