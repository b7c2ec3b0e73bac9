#include "CorvaneApp/ManualDemoServices.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/ManualExecutor.h"
#include "support/RunLoop.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "wings/WingsBuilders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace corvane {
namespace {

/// A model on the demonstration services, every queue on one manual executor.
struct DemoModel {
    std::shared_ptr<test::ManualExecutor> main = std::make_shared<test::ManualExecutor>();
    std::shared_ptr<InMemoryPreferenceStore> prefs = std::make_shared<InMemoryPreferenceStore>();
    std::vector<WingsContent> wings;
    std::vector<AlertSpec> alerts;
    std::shared_ptr<AppModel> model;

    explicit DemoModel(MockMode mode, bool aiSessions = true) {
        Prefs::registerDefaults(*prefs);
        model = AppModel::create(test::manualDemoServices(mode, main, prefs, aiSessions));
        model->onWings = [this](const WingsContent& content) { wings.push_back(content); };
        model->presentAlert = [this](AlertSpec alert) { alerts.push_back(std::move(alert)); };
        model->start();
        main->runUntilIdle();
    }

    /// Confirms the last question and runs what follows.
    void confirm() {
        ASSERT_FALSE(alerts.empty());
        alerts.back().onConfirm();
        main->runUntilIdle();
    }
};

const AppGroup* listed(const std::vector<AppGroup>& groups, const std::string& id) {
    const auto found = std::find_if(groups.begin(), groups.end(), [&](const AppGroup& g) { return g.id == id; });
    return found == groups.end() ? nullptr : &*found;
}

TEST(DemoModel, EachModeShowsItsSituationAfterTheFirstSample) {
    struct Case {
        MockMode mode;
        PressureLevel level;
        const char* headline;
        Verdict::Action action;
        int percent;
        bool pressureNotice;
    };
    const Case cases[]{
        {MockMode::ok, PressureLevel::normal, "现在不卡，内存够用", Verdict::Action::none, 53, false},
        {MockMode::warn, PressureLevel::elevated, "内存偏紧，建议关掉暂时不用的软件", Verdict::Action::freeDisk, 81, true},
        {MockMode::bad, PressureLevel::critical, "内存不够了，卡顿很可能和它有关", Verdict::Action::optimize, 95, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        DemoModel demo(c.mode);
        EXPECT_EQ(demo.model->verdict().level, c.level);
        EXPECT_EQ(demo.model->verdict().headline, c.headline);
        EXPECT_EQ(demo.model->verdict().action, c.action);
        EXPECT_EQ(usedPercent(demo.model->snapshot()), c.percent);
        EXPECT_EQ(demo.model->snapshot().timestamp, demo.main->now());
        const WingsContent pressure = wingsForPressure(c.level, c.percent);
        const auto pressureNotices = std::count(demo.wings.begin(), demo.wings.end(), pressure);
        EXPECT_EQ(pressureNotices, c.pressureNotice ? 1 : 0);
    }
}

TEST(DemoModel, ProductionQueuesDeliverTheFirstSampleAndPoll) {
    auto loop = std::make_shared<RunLoop>();
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    const std::shared_ptr<AppModel> model = makeDemoModel(MockMode::bad, loop, prefs);
    const auto done = [&] { return model->verdict().level == PressureLevel::critical && model->attentionCount() > 0; };
    const Subscription subscription = model->observe([&](AppModel::Field) {
        if (done()) loop->stop();
    });
    const auto timeout = loop->after(30, [&] { loop->stop(); });
    loop->async([&] { model->start(); });
    loop->run();
    EXPECT_TRUE(done());
    EXPECT_GT(secondsBetween(model->snapshot().timestamp, loop->now()), -1.0);
    EXPECT_LT(secondsBetween(model->snapshot().timestamp, loop->now()), 30.0);
}

TEST(DemoModel, QuittingAndCleaningSucceedWithoutTouchingTheHomeFolder) {
    test::TempDir home;
    const test::ScopedEnvironment homeVariable("HOME", home.path());
    DemoModel demo(MockMode::warn);
    demo.model->islandWillOpen();
    demo.model->openOptimize();
    demo.main->runUntilIdle();

    const std::vector<AppGroup>& groups = demo.model->previewGroups();
    ASSERT_NE(listed(groups, "wechat"), nullptr);
    EXPECT_EQ(listed(groups, "wechat")->safety, SafetyVerdict::canQuit());
    EXPECT_EQ(listed(groups, "google-chrome")->safety.kind, SafetyVerdict::Kind::caution);
    EXPECT_TRUE(listed(groups, "code")->safety.isProtected());
    EXPECT_TRUE(listed(groups, "gnome-shell")->safety.isProtected());
    ASSERT_TRUE(demo.model->idleCandidates());
    EXPECT_FALSE(demo.model->idleCandidates()->empty());

    demo.model->toggleGroup("wechat", true);
    demo.model->toggleGroup("wps", true);
    demo.model->confirmOptimize();
    demo.confirm();
    EXPECT_EQ(demo.model->lastResult(), "已关闭 2 个。有未保存内容的会先问你。");
    demo.model->openOptimize();
    demo.main->runUntilIdle();
    EXPECT_EQ(listed(demo.model->previewGroups(), "wechat"), nullptr);
    EXPECT_EQ(listed(demo.model->previewGroups(), "wps"), nullptr);
    EXPECT_NE(listed(demo.model->previewGroups(), "google-chrome"), nullptr);
    demo.model->backHome();

    demo.model->openClean();
    demo.main->runUntilIdle();
    ASSERT_TRUE(demo.model->diskReport());
    const DiskReport first = *demo.model->diskReport();
    EXPECT_EQ(first.items.size(), 12U);
    EXPECT_EQ(first.freeBytes, demo.model->snapshot().diskFreeBytes);
    const auto item = [&](const std::string& id) {
        return *std::find_if(first.items.begin(), first.items.end(), [&](const DiskItem& i) { return i.id == id; });
    };
    EXPECT_EQ(item("chrome-cache").blockedReason, "Chrome 正在运行，先退出它再清理");
    EXPECT_EQ(item("wechat-files").blockedReason, std::nullopt); // 微信 was quit above
    EXPECT_TRUE(item("trash").isInfoOnly);
    demo.model->toggleDisk("npm-cache", true);
    demo.model->toggleDisk("pip-cache", true);
    demo.model->confirmClean();
    demo.confirm();
    EXPECT_EQ(demo.model->diskResult(), "已移入废纸篓 3.9 GB。在文件管理器清倒废纸篓后才会释放。");

    demo.model->openClean();
    demo.main->runUntilIdle();
    ASSERT_TRUE(demo.model->diskReport());
    EXPECT_EQ(demo.model->diskReport()->items.size(), 10U);
    EXPECT_TRUE(std::filesystem::is_empty(home.path()));
    EXPECT_FALSE(std::filesystem::exists("/home/demo"));
}

TEST(DemoModel, AISessionsWaitThenALongPieceOfWorkFinishes) {
    DemoModel demo(MockMode::ok);
    const std::vector<AIRow> rows = demo.model->aiRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_TRUE(rows.front().needsAttention);
    EXPECT_EQ(rows.front().activity, AIActivity::waitingForUser);
    EXPECT_EQ(rows.front().tool, AIToolKind::claudeCode);
    EXPECT_EQ(rows.front().subtitle, "corvane · 等了 6 分钟");
    EXPECT_EQ(demo.model->attentionCount(), 1);

    demo.wings.clear();
    demo.main->advance(50); // two more polls: the work still runs
    EXPECT_TRUE(demo.model->finishedInfo().empty());
    demo.main->advance(25);
    EXPECT_EQ(demo.model->attentionCount(), 2);
    ASSERT_EQ(demo.model->finishedInfo().size(), 1U);
    const FinishedEvent& finished = demo.model->finishedInfo().begin()->second;
    EXPECT_EQ(finished.tool, AIToolKind::codex);
    EXPECT_EQ(finished.minutes, 48); // measured up to the last poll that saw it working
    ASSERT_EQ(demo.wings.size(), 1U);
    EXPECT_EQ(demo.wings[0].floatingText, finished.title);
}

TEST(DemoModel, WithoutAISessionsNoToolRunsAndNothingEverWaits) {
    DemoModel demo(MockMode::warn, false);
    ASSERT_EQ(demo.model->aiStatuses().size(), 3U);
    for (const AIToolStatus& status : demo.model->aiStatuses()) {
        EXPECT_FALSE(status.isRunning);
        EXPECT_TRUE(status.sessions.empty());
    }
    EXPECT_TRUE(demo.model->aiRows().empty()) << "the home screen shows memory and disk only";
    demo.wings.clear();
    demo.main->advance(75); // past the moment the canned long work would finish
    EXPECT_EQ(demo.model->attentionCount(), 0);
    EXPECT_TRUE(demo.model->finishedInfo().empty());
    EXPECT_TRUE(demo.wings.empty());
}

} // namespace
} // namespace corvane
