#include "ModelFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

using test::GiB;
using test::diskItem;
using test::group;
using test::ModelFixture;

TEST(AppModelOptimize, FirstUseTicksNothingAndOneClickShowsTheList) {
    ModelFixture f;
    f.provider->groups = {group("big.idle", 3 * GiB), group("busy", 2 * GiB, 10)};
    f.openIsland();
    ASSERT_TRUE(f.model->idleCandidates());
    EXPECT_EQ(f.model->idleCandidates()->size(), 1U);
    f.model->openOptimize();
    f.main->runUntilIdle();
    EXPECT_EQ(f.model->mode(), DashboardMode::optimize);
    EXPECT_EQ(f.model->previewGroups().size(), 2U);
    EXPECT_TRUE(f.model->selection().empty());

    f.model->backHome();
    f.model->oneClickTapped();
    f.main->runUntilIdle();
    EXPECT_TRUE(f.alerts.empty());
    EXPECT_EQ(f.model->mode(), DashboardMode::optimize);
}

TEST(AppModelOptimize, AfterAQuitOneClickAsksAndSuggestionsAreTicked) {
    ModelFixture f;
    f.provider->groups = {group("big.idle", 3 * GiB), group("busy", 2 * GiB, 10)};
    f.openIsland();
    f.model->openOptimize();
    f.main->runUntilIdle();
    f.model->toggleGroup("busy", true);
    f.model->confirmOptimize();
    ASSERT_EQ(f.alerts.size(), 1U);
    EXPECT_EQ(f.alerts[0].title, "关闭 1 个软件？");
    EXPECT_EQ(f.alerts[0].message, "将关闭：「N-busy」。\n未保存的内容会先询问你。");
    f.model->toggleGroup("big.idle", true); // ticked after the question: still counts
    f.alerts[0].onConfirm();
    EXPECT_TRUE(f.model->isQuitting());
    f.main->runUntilIdle();
    EXPECT_FALSE(f.model->isQuitting());
    EXPECT_EQ(f.terminator->asked.size(), 2U);
    EXPECT_EQ(f.model->lastResult(), "已关闭 2 个。有未保存内容的会先问你。");
    EXPECT_EQ(f.model->mode(), DashboardMode::home);
    EXPECT_TRUE(Prefs::value(*f.prefs, Prefs::hasOptimizedBefore));

    f.model->openOptimize();
    f.main->runUntilIdle();
    EXPECT_EQ(f.model->selection(), (std::set<std::string>{"big.idle"}));
    ASSERT_TRUE(f.model->idleCandidates());
    f.model->oneClickTapped();
    ASSERT_EQ(f.alerts.size(), 2U);
    EXPECT_EQ(f.alerts[1].title, "一键腾出：关闭 1 个闲置软件？");
    EXPECT_EQ(f.alerts[1].secondaryTitle, "先看看列表");
    EXPECT_EQ(f.alerts[1].message.rfind("约释放 3.0 GB。\n将关闭：「N-big.idle」。", 0), 0U);
}

TEST(AppModelOptimize, OnlyProtectedOrBackgroundGroupsChangeNothing) {
    ModelFixture f;
    f.model->quitGroups({group("locked", GiB, 9000, SafetyVerdict::locked("系统组件")), group("bg", GiB, 9000,
                                                                                             SafetyVerdict::canQuit(), false)});
    f.main->runUntilIdle();
    EXPECT_FALSE(f.model->isQuitting());
    EXPECT_TRUE(f.terminator->asked.empty());
    EXPECT_EQ(f.model->lastResult(), std::nullopt);
}

TEST(AppModelOptimize, ForceQuitRemovesTheRowAndStaysOnTheScreen) {
    ModelFixture f;
    const AppGroup stuck = group("stuck", 2 * GiB);
    f.provider->groups = {stuck, group("other", GiB)};
    f.openIsland();
    f.model->openOptimize();
    f.main->runUntilIdle();
    f.model->toggleGroup("stuck", true);
    f.model->requestForceQuit(stuck);
    ASSERT_EQ(f.alerts.size(), 1U);
    EXPECT_EQ(f.alerts[0].title, "强制退出「N-stuck」？");
    EXPECT_TRUE(f.alerts[0].destructive);
    f.terminator->refusing = {stuck.pids.begin(), stuck.pids.end()};
    f.alerts[0].onConfirm();
    f.main->runUntilIdle();
    EXPECT_EQ(f.model->lastResult(), "没能强制退出「N-stuck」。");
    EXPECT_EQ(f.model->previewGroups().size(), 2U); // it still runs

    f.terminator->refusing.clear();
    f.alerts[0].onConfirm();
    f.main->runUntilIdle();
    ASSERT_EQ(f.model->previewGroups().size(), 1U);
    EXPECT_TRUE(f.model->selection().empty());
    EXPECT_EQ(f.model->lastResult(), "已强制退出「N-stuck」。");
    EXPECT_EQ(f.model->mode(), DashboardMode::optimize);
    EXPECT_FALSE(Prefs::value(*f.prefs, Prefs::hasOptimizedBefore));
}

TEST(AppModelOptimize, LateListingAfterLeavingIsDropped) {
    ModelFixture f;
    f.provider->groups = {group("a", GiB)};
    f.model->openOptimize();
    f.model->islandDidClose(); // back home before the listing arrives
    f.main->runUntilIdle();
    EXPECT_TRUE(f.model->previewGroups().empty());
    EXPECT_EQ(f.model->idleCandidates(), std::nullopt);
}

/// The footer says "正在统计…" exactly while the latest listing is on its way: leaving the screen,
/// opening it synchronously or the listing's arrival (even a stale one's) ends it correctly.
TEST(AppModelOptimize, ListingIsLoadingUntilTheLatestListingArrives) {
    ModelFixture f;
    f.provider->groups = {group("a", GiB)};
    EXPECT_FALSE(f.model->previewLoading());
    f.model->openOptimize();
    EXPECT_TRUE(f.model->previewLoading());
    f.main->runUntilIdle();
    EXPECT_FALSE(f.model->previewLoading());
    EXPECT_EQ(f.model->previewGroups().size(), 1U);

    f.model->backHome();
    f.model->openOptimize(); // the first listing still runs; the second is the one that counts
    f.model->backHome();
    EXPECT_FALSE(f.model->previewLoading());
    f.model->openOptimize();
    EXPECT_TRUE(f.model->previewLoading());
    f.main->runUntilIdle();
    EXPECT_FALSE(f.model->previewLoading());

    f.model->openOptimize();
    f.model->islandDidClose();
    EXPECT_FALSE(f.model->previewLoading());
    f.model->openPreviewImmediately();
    EXPECT_FALSE(f.model->previewLoading());
    f.main->runUntilIdle(); // the listing from before the close arrives late
    EXPECT_FALSE(f.model->previewLoading());
}

TEST(AppModelClean, FirstUseScansWithoutTicksThenPreTicksAfterAClean) {
    ModelFixture f;
    f.disk->nextScan.items = {diskItem("a"), diskItem("b", DiskRisk::confirm)};
    f.openIsland();
    f.model->openClean();
    EXPECT_TRUE(f.model->diskScanning());
    f.main->runUntilIdle();
    ASSERT_TRUE(f.model->diskReport());
    EXPECT_EQ(f.disk->scansWithRunning, (std::vector<std::set<std::string>>{{"org.example.App"}}));
    EXPECT_TRUE(f.model->diskSelection().empty());
    f.model->toggleDisk("b", true);
    f.model->confirmClean();
    ASSERT_EQ(f.alerts.size(), 1U);
    EXPECT_EQ(f.alerts[0].title, "把 1 项移入废纸篓？");
    EXPECT_NE(f.alerts[0].message.find("其中含你的产出或历史记录"), std::string::npos);
    f.cleaner->nextClean.trashedItemIDs = {"b"};
    f.cleaner->nextClean.bytes = GiB;
    f.alerts[0].onConfirm();
    f.main->runUntilIdle();
    ASSERT_EQ(f.cleaner->cleaned.size(), 1U);
    EXPECT_EQ(f.model->diskResult(), "已移入废纸篓 1.0 GB。在文件管理器清倒废纸篓后才会释放。");
    EXPECT_EQ(f.model->mode(), DashboardMode::home);
    EXPECT_EQ(f.model->diskReport(), std::nullopt);

    f.model->openClean();
    f.main->runUntilIdle();
    EXPECT_EQ(f.model->diskSelection(), (std::set<std::string>{"a"}));
}

TEST(AppModelClean, BlockedAndInformativeItemsCannotBeTicked) {
    ModelFixture f;
    DiskItem blocked = diskItem("blocked");
    blocked.blockedReason = "Chrome 正在运行，先退出它再清理";
    DiskItem info = diskItem("info");
    info.isInfoOnly = true;
    f.model->openCleanImmediately(false, DiskReport{0, 0, {blocked, info, diskItem("ok")}, {}, 0});
    EXPECT_EQ(f.model->diskSelection(), (std::set<std::string>{"ok"}));
    f.model->toggleDisk("blocked", true);
    f.model->toggleDisk("info", true);
    f.model->toggleDisk("missing", true);
    EXPECT_EQ(f.model->diskSelection(), (std::set<std::string>{"ok"}));
}

TEST(AppModelClean, ItemGoneBeforeConfirmingIsSkippedAsChanged) {
    ModelFixture f;
    f.openIsland();
    f.model->openCleanImmediately(false, DiskReport{0, 0, {diskItem("a")}, {}, 0});
    f.disk->nextScan.items = {}; // the user deleted it meanwhile
    f.model->executeClean(f.model->diskSelectedItems());
    f.main->runUntilIdle();
    EXPECT_TRUE(f.cleaner->cleaned.empty());
    EXPECT_EQ(f.model->diskResult(), "没有移动任何项目。有 1 项已变化，已跳过。");
    EXPECT_FALSE(Prefs::value(*f.prefs, Prefs::hasCleanedDiskBefore));
}

TEST(AppModelClean, ScanFinishingAfterTheDashboardClosedIsDropped) {
    ModelFixture f;
    f.disk->nextScan.items = {diskItem("a")};
    f.openIsland();
    f.model->openClean();
    f.model->islandWillCollapse();
    f.model->islandDidClose();
    f.main->runUntilIdle();
    EXPECT_EQ(f.model->diskReport(), std::nullopt);
    EXPECT_FALSE(f.model->diskScanning());
    EXPECT_EQ(f.memoryReturned, 1);
}

TEST(AppModelClean, DiskNoticeFocusScansOnOpening) {
    ModelFixture f;
    f.model->setDiskFocus(true);
    f.openIsland();
    EXPECT_EQ(f.disk->scansWithRunning.size(), 1U);
    EXPECT_EQ(f.model->mode(), DashboardMode::home);
    EXPECT_TRUE(f.model->diskReport());
}

/// A service that throws ends its step like a failed result: the busy flag drops, the failure is
/// shown, and the same step can run again.
struct FailureCase {
    const char* name;
    std::function<void(ModelFixture&, bool fails)> breakService;
    std::function<void(ModelFixture&)> start;
    /// The flag raised while the step runs; none for a forced quit.
    std::function<bool(const AppModel&)> busy;
    std::function<std::optional<std::string>(const AppModel&)> shown;
    std::string failureText;
};

class AppModelFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(AppModelFailures, ResetTheFlagShowTheFailureAndAllowAnotherTry) {
    const FailureCase& c = GetParam();
    ModelFixture f;
    f.openIsland();
    for (const bool fails : {true, false}) {
        c.breakService(f, fails);
        c.start(f);
        EXPECT_TRUE(!c.busy || c.busy(*f.model));
        f.main->runUntilIdle();
        EXPECT_FALSE(c.busy && c.busy(*f.model));
        EXPECT_EQ(c.shown(*f.model) == c.failureText, fails) << c.shown(*f.model).value_or("");
    }
}

const auto quitting = [](const AppModel& m) { return m.isQuitting(); };
const auto lastResult = [](const AppModel& m) { return m.lastResult(); };
const auto diskResult = [](const AppModel& m) { return m.diskResult(); };

INSTANTIATE_TEST_SUITE_P(
    Table, AppModelFailures,
    ::testing::Values(
        FailureCase{"Scan", [](ModelFixture& f, bool fails) { f.disk->throws = fails; },
                    [](ModelFixture& f) { f.model->openClean(); },
                    [](const AppModel& m) { return m.diskScanning(); }, diskResult, "这次没能检查磁盘，请稍后再试。"},
        FailureCase{"Clean", [](ModelFixture& f, bool fails) { f.cleaner->throws = fails; },
                    [](ModelFixture& f) {
                        f.disk->nextScan.items = {diskItem("a")};
                        f.model->openCleanImmediately(false, f.disk->nextScan);
                        f.model->executeClean(f.model->diskSelectedItems());
                    },
                    [](const AppModel& m) { return m.isCleaning(); }, diskResult, "这次没能全部移入废纸篓，请稍后再试。"},
        FailureCase{"Quit", [](ModelFixture& f, bool fails) { f.terminator->throws = fails; },
                    [](ModelFixture& f) { f.model->quitGroups({group("a", GiB)}); }, quitting, lastResult,
                    "这次没能关闭所选软件，请稍后再试。"},
        FailureCase{"ForceQuit", [](ModelFixture& f, bool fails) { f.terminator->throws = fails; },
                    [](ModelFixture& f) { f.model->forceQuitConfirmed(group("a", GiB)); }, nullptr, lastResult,
                    "没能强制退出「N-a」。"}),
    [](const auto& info) { return std::string(info.param.name); });

const Date epoch = dateFromUnixSeconds(1'800'000'000);

AIToolStatus codex(std::vector<AISession> sessions) {
    return AIToolStatus{AIToolKind::codex, std::move(sessions), true};
}

TEST(AppModelAI, SessionsWaitingAtStartUpAreCountedNotAnnounced) {
    ModelFixture f;
    f.watcher->next = {codex({{"a", "web", AIActivity::waitingForUser, epoch}, {"b", "api", AIActivity::waitingForUser, epoch}})};
    f.start();
    EXPECT_EQ(f.model->attentionCount(), 2);
    EXPECT_TRUE(f.wings.empty());
    EXPECT_EQ(f.model->a11yStatusLabel(), "内存压力：良好，已用 75%；2 个 AI 会话等你");
}

TEST(AppModelAI, LongWorkThenWaitingRaisesTheFinishedNotice) {
    ModelFixture f;
    const Date start = f.main->now();
    f.watcher->next = {codex({{"s1", "web", AIActivity::working, start}})};
    f.start();
    f.main->advance(320);
    f.sampleAI({codex({{"s1", "web", AIActivity::waitingForUser, f.main->now()}})});
    ASSERT_EQ(f.wings.size(), 1U);
    EXPECT_EQ(f.wings[0].text, "干完了");
    EXPECT_EQ(f.wings[0].floatingText, "Codex 干完了");
    EXPECT_EQ(f.wings[0].a11y, "Codex 干完了，web · 用了 5 分钟 · 等你看结果");
    EXPECT_EQ(f.wings[0].jump, (SessionRef{AIToolKind::codex, "s1"}));
    EXPECT_EQ(f.model->finishedInfo().count("codex/s1"), 1U);
    ASSERT_EQ(f.model->aiRows().size(), 1U);
    EXPECT_EQ(f.model->aiRows()[0].subtitle, "web · 用了 5 分钟 · 等你看结果");

    // The note disappears as soon as the session works again.
    f.sampleAI({codex({{"s1", "web", AIActivity::working, f.main->now()}})});
    EXPECT_TRUE(f.model->finishedInfo().empty());
}

TEST(AppModelAI, ShortWorkRaisesTheWaitingNoticeAndTwoAtOnceHaveNoJump) {
    ModelFixture f;
    f.watcher->next = {codex({{"s1", "web", AIActivity::working, f.main->now()}})};
    f.start();
    f.main->advance(40);
    f.sampleAI({codex({{"s1", "web", AIActivity::waitingForUser, f.main->now()}})});
    ASSERT_EQ(f.wings.size(), 1U);
    EXPECT_EQ(f.wings[0].text, "等你");
    EXPECT_EQ(f.wings[0].jump, (SessionRef{AIToolKind::codex, "s1"}));

    ModelFixture two;
    two.start();
    two.sampleAI({codex({{"a", "web", AIActivity::waitingForUser, two.main->now()},
                         {"b", "api", AIActivity::waitingForUser, two.main->now()}})});
    ASSERT_EQ(two.wings.size(), 1U);
    EXPECT_EQ(two.wings[0].text, "2");
    EXPECT_EQ(two.wings[0].floatingText, "2 个等你");
    EXPECT_EQ(two.wings[0].jump, std::nullopt);
}

TEST(AppModelAI, JumpOpensTheLinkAndFailuresAlertOncePerThirtySeconds) {
    ModelFixture f;
    int jumped = 0;
    f.model->onJumped = [&] { ++jumped; };
    f.model->openSession(AIToolKind::codex, "s1");
    f.main->runUntilIdle();
    EXPECT_EQ(jumped, 1);
    ASSERT_EQ(f.opener->actions.size(), 1U);
    EXPECT_EQ(f.opener->actions[0], (JumpAction{JumpAction::OpenURL{"codex://threads/1", "com.openai.codex"}}));

    f.opener->succeeds = false;
    f.links->next = SessionLink{std::nullopt, "com.anthropic.claudefordesktop", false};
    for (int i = 0; i < 3; ++i) {
        f.model->openSession(AIToolKind::claudeCode, "x");
        f.main->advance(3);
    }
    EXPECT_EQ(f.opener->actions.back(), (JumpAction{JumpAction::Activate{"com.anthropic.claudefordesktop"}}));
    ASSERT_EQ(f.alerts.size(), 1U);
    EXPECT_EQ(f.alerts[0].title, "没能打开 Claude Code");
    EXPECT_EQ(f.alerts[0].message, "暂时没能打开 Claude Code，请先在「应用程序」里打开它。");
    EXPECT_TRUE(f.alerts[0].infoOnly);
}

TEST(AppModelIsland, ClosingResetsTheDashboardState) {
    ModelFixture f;
    f.provider->groups = {group("a", GiB)};
    f.openIsland();
    f.model->openOptimize();
    f.main->runUntilIdle();
    f.model->setAIExpanded(true);
    f.model->setDiskFocus(true);
    f.model->islandWillCollapse();
    f.model->islandDidClose();
    EXPECT_EQ(f.model->mode(), DashboardMode::home);
    EXPECT_TRUE(f.model->previewGroups().empty());
    EXPECT_FALSE(f.model->aiExpanded());
    EXPECT_FALSE(f.model->diskFocus());
    EXPECT_EQ(f.model->idleCandidates(), std::nullopt);
}

TEST(AppModelIsland, CloseWithoutCollapseRestoresTheLongIntervals) {
    ModelFixture f;
    f.start();
    f.openIsland();
    f.model->islandDidClose(); // torn down at once, no collapse announced
    EXPECT_FALSE(f.model->islandOpen());
    const int before = f.provider->samples;
    f.main->advance(44.9);
    EXPECT_EQ(f.provider->samples, before);
    f.main->advance(0.1);
    EXPECT_EQ(f.provider->samples, before + 1);
}

} // namespace
} // namespace corvane
