#include "AlertDialog.h"
#include "IslandController.h"
#include "IslandPanel.h"
#include "WingsView.h"

#include "CorvaneModel/app/ModelFixture.h"
#include "CorvaneUi/RunEvents.h"
#include "island/IslandDemonstrations.h"
#include "wings/WingsBuilders.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace corvane {
namespace {

using test::runEventsUntil;

/// The dashboard's stand-in: a plain widget that wants a given height.
class FixedHeightContent final : public QWidget {
public:
    explicit FixedHeightContent(int height) : height_(height) {}
    QSize sizeHint() const override { return {100, height_}; }
    void setWantedHeight(int height) { height_ = height; }

private:
    int height_;
};

// The offscreen screen is 800 × 600 with no top panel, so the floating dashboard is 640 wide,
// centred, 6 pixels below the top, and grows from a 132 × 36 pill.
const QRect pill{334, 6, 132, 36};

struct IslandFixture : ::testing::Test {
    test::ModelFixture f;
    QPointer<FixedHeightContent> content;
    DashboardContext lastContext;
    int wantedHeight = 300;
    std::atomic<int> memoryReturns{0};
    std::atomic<bool> memoryReturnedOffMain{false};
    std::unique_ptr<IslandController> island;

    void SetUp() override {
        QCursor::setPos(400, 100);
        makeIsland({});
    }

    void TearDown() override {
        island.reset();
        // Work the model queued on the virtual main executor holds the model.
        f.main->runUntilIdle();
        // A memory return still running on the pool writes into this fixture.
        QThreadPool::globalInstance()->waitForDone();
    }

    void makeIsland(IslandOptions options) {
        island.reset(); // it takes its callbacks off the model when it goes
        island = std::make_unique<IslandController>(
            f.model, f.main, f.prefs,
            [this](const DashboardContext& context) {
                lastContext = context;
                auto widget = std::make_unique<FixedHeightContent>(wantedHeight);
                content = widget.get();
                return widget;
            },
            options);
        const auto mainThread = std::this_thread::get_id();
        island->returnFreeMemory = [this, mainThread] {
            memoryReturnedOffMain = std::this_thread::get_id() != mainThread;
            ++memoryReturns;
        };
    }

    QRect target(int height = 300) const { return {80, 6, 640, height}; }

    /// The panel is at `frame` with the open radius: the growth has ended (the frame may round
    /// to its end a little earlier).
    bool settledAt(const QRect& frame) {
        return runEventsUntil([&] {
            const IslandPanel* panel = island->dashboardPanel();
            return panel != nullptr && panel->geometry() == frame && panel->cornerRadius() == 24;
        });
    }

    bool closed() {
        return runEventsUntil([&] { return island->dashboardPanel() == nullptr; });
    }

    void openPinned() {
        island->send(IslandInput::iconToggle);
        f.main->runUntilIdle(); // the model's samples for the open dashboard
        ASSERT_TRUE(settledAt(target()));
    }
};

TEST_F(IslandFixture, HoverOpensAfterTheDelayGrowsFromThePillAndLeavingClosesAfterTheGrace) {
    island->send(IslandInput::hoverEnter);
    f.main->advance(0.17);
    EXPECT_EQ(island->dashboardPanel(), nullptr);
    f.main->advance(0.02);
    ASSERT_NE(island->dashboardPanel(), nullptr);
    EXPECT_EQ(island->state(), IslandPhaseState::hoverOpen);
    EXPECT_TRUE(f.model->islandOpen());
    EXPECT_EQ(island->dashboardPanel()->geometry(), pill);
    EXPECT_EQ(lastContext.width, 640);
    EXPECT_EQ(lastContext.headerHeight, 36);
    // Hovering never hands the panel the keyboard.
    EXPECT_FALSE(island->dashboardPanel()->allowKey());
    EXPECT_TRUE(island->dashboardPanel()->testAttribute(Qt::WA_ShowWithoutActivating));
    ASSERT_TRUE(settledAt(target()));
    // The pointer is inside when the growth ends, so the island stays open.
    EXPECT_EQ(island->state(), IslandPhaseState::hoverOpen);

    island->send(IslandInput::hoverExit);
    f.main->advance(0.39);
    EXPECT_NE(island->dashboardPanel(), nullptr);
    f.main->advance(0.02);
    EXPECT_FALSE(f.model->islandOpen());
    EXPECT_TRUE(closed());
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    f.main->advance(0.49);
    EXPECT_EQ(memoryReturns, 0);
    f.main->advance(0.02);
    EXPECT_TRUE(runEventsUntil([&] { return memoryReturns == 1; }));
    EXPECT_TRUE(memoryReturnedOffMain);
}

TEST_F(IslandFixture, GrowthEndingWithThePointerOutsideStartsTheGrace) {
    QCursor::setPos(10, 590);
    island->send(IslandInput::hoverEnter);
    f.main->advance(0.18);
    ASSERT_TRUE(settledAt(target()));
    EXPECT_EQ(island->state(), IslandPhaseState::pendingCollapse);
    f.main->advance(0.4);
    EXPECT_TRUE(closed());
}

TEST_F(IslandFixture, ReopeningWhileTheCollapseRunsKeepsTheNewDashboard) {
    island->send(IslandInput::iconToggle);
    island->send(IslandInput::iconToggle);
    const QPointer<IslandPanel> collapsing = island->dashboardPanel();
    island->send(IslandInput::iconToggle);
    EXPECT_TRUE(runEventsUntil([&] { return collapsing.isNull(); }));
    ASSERT_TRUE(settledAt(target()));
    test::runEventsFor(400); // every animation of the first opening would have ended by now
    EXPECT_NE(island->dashboardPanel(), nullptr);
    EXPECT_EQ(island->state(), IslandPhaseState::pinned);
    EXPECT_TRUE(f.model->islandOpen());
}

TEST_F(IslandFixture, PinnedDashboardTakesTheKeyboardAndClosesOnEscapeOrAPressOutside) {
    openPinned();
    EXPECT_TRUE(island->dashboardPanel()->allowKey());
    EXPECT_FALSE(island->dashboardPanel()->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    island->outsideClick({400, 100}); // inside
    EXPECT_EQ(island->state(), IslandPhaseState::pinned);
    island->outsideClick({790, 590});
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    EXPECT_TRUE(closed());

    openPinned();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(island->dashboardPanel(), &escape);
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    EXPECT_TRUE(closed());

    // Open by hover only: presses elsewhere are not watched.
    island->send(IslandInput::hoverEnter);
    f.main->advance(0.18);
    island->outsideClick({790, 590});
    EXPECT_EQ(island->state(), IslandPhaseState::hoverOpen);
}

TEST_F(IslandFixture, ContentGrowingMovesThePanelOnceAndIsCappedBelowTheScreen) {
    openPinned();
    content->setWantedHeight(420);
    lastContext.onLayoutChange();
    lastContext.onLayoutChange();
    EXPECT_EQ(f.main->runUntilIdle(), 1);
    EXPECT_TRUE(settledAt(target(420)));
    content->setWantedHeight(2000);
    lastContext.onLayoutChange();
    f.main->runUntilIdle();
    EXPECT_TRUE(settledAt(target(480)));
    EXPECT_EQ(content->height(), 480);
}

TEST_F(IslandFixture, SuspensionClosesAtOnceAndDropsOpeningInputsUntilResumed) {
    openPinned();
    island->setSuspended(true);
    EXPECT_EQ(island->dashboardPanel(), nullptr);
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    EXPECT_FALSE(f.model->islandOpen());
    for (IslandInput input : {IslandInput::hoverEnter, IslandInput::notchClick, IslandInput::iconToggle})
        island->send(input);
    f.main->advance(1);
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    island->showWings(wingsForDisk(5ULL << 30), 20, nullptr);
    EXPECT_EQ(island->wingsPanel(), nullptr);

    island->setSuspended(false);
    island->send(IslandInput::iconToggle);
    EXPECT_EQ(island->state(), IslandPhaseState::pinned);
    EXPECT_NE(island->dashboardPanel(), nullptr);
}

struct ForcedClose {
    const char* name;
    std::function<void(IslandController&, AppModel&)> trigger;
};

class IslandForcedClose : public IslandFixture, public ::testing::WithParamInterface<ForcedClose> {};

TEST_P(IslandForcedClose, ClosesTheDashboardAndTheWingsAtOnce) {
    island->showWings(wingsForAttention(2), 20, nullptr);
    ASSERT_NE(island->wingsPanel(), nullptr);
    GetParam().trigger(*island, *f.model);
    EXPECT_EQ(island->wingsPanel(), nullptr);
    openPinned();
    GetParam().trigger(*island, *f.model);
    EXPECT_EQ(island->dashboardPanel(), nullptr);
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    EXPECT_FALSE(f.model->islandOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Triggers, IslandForcedClose,
    ::testing::Values(
        ForcedClose{"screenGeometry",
                    [](IslandController&, AppModel&) {
                        QScreen* screen = QGuiApplication::primaryScreen();
                        emit screen->geometryChanged(screen->geometry());
                    }},
        ForcedClose{"desktopSwitch", [](IslandController& island, AppModel&) { island.desktopSwitched(); }},
        ForcedClose{"jumpToSession", [](IslandController&, AppModel& model) { model.onJumped(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IslandFixture, WingsFadeInStayForTheirHoldAndFadeOut) {
    const WingsContent notice = wingsForDisk(5ULL << 30);
    island->showWings(notice, 20, nullptr);
    const QPointer<IslandPanel> panel = island->wingsPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry().top(), 6);
    EXPECT_EQ(panel->geometry().height(), 36);
    EXPECT_EQ(panel->geometry().center().x(), 399); // centred on the 800-pixel screen
    EXPECT_GE(panel->geometry().width(), 132);
    auto* view = qobject_cast<WingsView*>(panel->content());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->accessibleName().toStdString(), notice.a11y);
    EXPECT_EQ(view->accessibleDescription(), QStringLiteral("点按展开Corvane"));
    EXPECT_TRUE(runEventsUntil([&] { return panel->windowOpacity() == 1; }));

    f.main->advance(19.9);
    EXPECT_EQ(island->wingsPanel(), panel);
    f.main->advance(0.2);
    EXPECT_EQ(island->wingsPanel(), nullptr);
    EXPECT_TRUE(runEventsUntil([&] { return panel.isNull(); }));

    // Not while the dashboard is open.
    openPinned();
    island->showWings(notice, 20, nullptr);
    EXPECT_EQ(island->wingsPanel(), nullptr);
}

TEST_F(IslandFixture, TappingWingsOpensPinnedOnTheDiskOrJumpsToTheSession) {
    island->showWings(wingsForDisk(5ULL << 30), 20, nullptr);
    qobject_cast<WingsView*>(island->wingsPanel()->content())->click();
    EXPECT_TRUE(f.model->diskFocus());
    EXPECT_EQ(island->state(), IslandPhaseState::pinned);
    EXPECT_NE(island->dashboardPanel(), nullptr);
    EXPECT_EQ(island->wingsPanel(), nullptr);
    island->send(IslandInput::escape);
    ASSERT_TRUE(closed());

    WingsContent finished = wingsForAttention(1);
    finished.jump = SessionRef{AIToolKind::codex, "rollout-1"};
    island->showWings(finished, 20, nullptr);
    qobject_cast<WingsView*>(island->wingsPanel()->content())->click();
    f.main->runUntilIdle();
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    EXPECT_EQ(f.opener->actions.size(), 1u);
    // A successful jump puts the notice away.
    EXPECT_EQ(island->wingsPanel(), nullptr);
}

struct AlertCase {
    const char* name;
    AlertSpec alert;
    std::vector<QString> titles;
    std::size_t press;
    int confirms;
    int secondaries;
};

class IslandAlert : public IslandFixture, public ::testing::WithParamInterface<AlertCase> {};

TEST_P(IslandAlert, ButtonsFollowTheAlertsOrderAndRunTheirAction) {
    openPinned();
    int confirms = 0;
    int secondaries = 0;
    AlertSpec alert = GetParam().alert;
    alert.onConfirm = [&] { ++confirms; };
    alert.onSecondary = [&] { ++secondaries; };
    f.model->presentAlert(alert);
    AlertDialog* dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<AlertDialog*>(widget); candidate != nullptr && candidate->isVisible())
            dialog = candidate;
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    std::vector<QString> titles;
    for (QPushButton* button : dialog->buttons()) titles.push_back(button->text());
    EXPECT_EQ(titles, GetParam().titles);
    // A press on the alert is not a press outside the island.
    island->outsideClick(dialog->geometry().center());
    island->outsideClick({790, 590});
    EXPECT_EQ(island->state(), IslandPhaseState::pinned);

    dialog->buttons()[GetParam().press]->click();
    EXPECT_EQ(confirms, GetParam().confirms);
    EXPECT_EQ(secondaries, GetParam().secondaries);
    island->outsideClick({790, 590});
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
}

AlertSpec makeAlert(bool destructive, std::optional<std::string> secondary, bool infoOnly) {
    AlertSpec alert;
    alert.title = "退出 2 个应用？";
    alert.confirmTitle = "退出";
    alert.destructive = destructive;
    alert.secondaryTitle = std::move(secondary);
    alert.infoOnly = infoOnly;
    return alert;
}

INSTANTIATE_TEST_SUITE_P(
    Orders, IslandAlert,
    ::testing::Values(AlertCase{"plainConfirm", makeAlert(false, {}, false), {"退出", "取消"}, 0, 1, 0},
                      AlertCase{"plainCancel", makeAlert(false, {}, false), {"退出", "取消"}, 1, 0, 0},
                      AlertCase{"destructive", makeAlert(true, {}, false), {"取消", "退出"}, 1, 1, 0},
                      AlertCase{"secondary", makeAlert(false, "只清理安全项", false), {"退出", "只清理安全项", "取消"}, 1, 0, 1},
                      AlertCase{"infoOnly", makeAlert(false, {}, true), {"退出"}, 0, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IslandFixture, TraceLinesAndTheHiddenStressPanel) {
    makeIsland({.trace = true, .hiddenTest = true, .reducedMotion = true});
    ::testing::internal::CaptureStderr();
    island->send(IslandInput::iconToggle);
    const std::string trace = ::testing::internal::GetCapturedStderr();
    // Qt's own warnings may interleave; the island writes exactly one line.
    EXPECT_NE(trace.find("[island] iconToggle in idle\n"), std::string::npos);
    EXPECT_EQ(trace.find("[island]"), trace.rfind("[island]"));
    ASSERT_NE(island->dashboardPanel(), nullptr);
    // Reduced motion: no growth, the panel is at its place at once.
    EXPECT_EQ(island->dashboardPanel()->geometry(), target());
    EXPECT_EQ(island->dashboardPanel()->windowOpacity(), 0);
    EXPECT_TRUE(island->dashboardPanel()->windowFlags().testFlag(Qt::WindowTransparentForInput));

    // The dashboard's first painted frame is reported once, however often it paints after.
    ::testing::internal::CaptureStderr();
    island->dashboardPanel()->content()->update();
    test::runEventsFor(300);
    island->dashboardPanel()->content()->repaint();
    const std::string frames = ::testing::internal::GetCapturedStderr();
    const auto first = frames.find("[island] first frame ");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(frames.find(" ms after iconToggle\n", first), std::string::npos);
    EXPECT_EQ(first, frames.rfind("[island]"));
    // Notices are ghosts too, and stay so.
    island->collapseNow();
    island->showWings(wingsForAttention(2), 20, nullptr);
    ASSERT_NE(island->wingsPanel(), nullptr);
    EXPECT_TRUE(island->wingsPanel()->windowFlags().testFlag(Qt::WindowTransparentForInput));
    test::runEventsFor(300);
    EXPECT_EQ(island->wingsPanel()->windowOpacity(), 0);
}

TEST_F(IslandFixture, DemonstrationsHoldTheDashboardRegardlessOfThePointerThenCloseIt) {
    QCursor::setPos(10, 590); // outside: without the hold a hover opening would close at once
    island->debugTrigger("hover", 2);
    f.main->advance(0.18);
    ASSERT_TRUE(settledAt(target()));
    EXPECT_EQ(island->state(), IslandPhaseState::hoverOpen);
    f.main->advance(1.85);
    EXPECT_EQ(island->state(), IslandPhaseState::pendingCollapse);
    f.main->advance(0.4);
    EXPECT_TRUE(closed());

    island->debugTrigger("pinned", 1);
    ASSERT_TRUE(settledAt(target()));
    island->outsideClick({790, 590});
    EXPECT_EQ(island->state(), IslandPhaseState::pinned);
    f.main->advance(1);
    EXPECT_TRUE(closed());
    island->send(IslandInput::iconToggle); // the hold is over: outside clicks close again
    ASSERT_TRUE(settledAt(target()));
    island->outsideClick({790, 590});
    EXPECT_TRUE(closed());

    island->debugTrigger("disk-low", 1);
    ASSERT_NE(island->wingsPanel(), nullptr);
    EXPECT_EQ(qobject_cast<WingsView*>(island->wingsPanel()->content())->accessibleName().toStdString(),
              wingsForDisk(5ULL << 30).a11y);
    f.main->advance(1);
    EXPECT_EQ(island->wingsPanel(), nullptr);

    ::testing::internal::CaptureStderr();
    island->debugTrigger("expanded", 1);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(unknownDemonstrationLine("expanded")), std::string::npos);
    EXPECT_EQ(island->state(), IslandPhaseState::idle);
    EXPECT_EQ(island->wingsPanel(), nullptr);
}

TEST_F(IslandFixture, AStressRunEndsIdleWithNothingLeftAndReportsOnce) {
    std::optional<StressReport> report;
    int reports = 0;
    ::testing::internal::CaptureStderr();
    island->runStress(300, 5, [&](const StressReport& r) {
        report = r;
        ++reports;
    });
    island->runStress(300, 6, [&](const StressReport&) { ++reports; }); // one run at a time
    // The virtual executor follows real time: fades and the pool that returns memory take real time.
    QElapsedTimer clock;
    clock.start();
    double followed = 0;
    EXPECT_TRUE(runEventsUntil(
        [&] {
            const double now = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            f.main->advance(now - followed);
            followed = now;
            return report.has_value();
        },
        60000));
    const std::string output = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(report);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(report->seed, 5U);
    EXPECT_EQ(report->inputs + report->screenChanges + report->wings, 300);
    EXPECT_GT(report->screenChanges, 0);
    EXPECT_GT(report->wings, 0);
    EXPECT_TRUE(stressClean(*report)) << output;
    EXPECT_NE(output.find(stressSummaryLine(*report)), std::string::npos) << output;
    EXPECT_EQ(island->dashboardPanel(), nullptr);
    EXPECT_EQ(island->wingsPanel(), nullptr);
}

} // namespace
} // namespace corvane
