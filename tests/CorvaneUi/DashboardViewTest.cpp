#include "AIRowView.h"
#include "DashboardView.h"
#include "HomeBody.h"

#include "RunEvents.h"

#include "CorvaneModel/app/ModelFixture.h"
#include "CorvaneApp/ManualDemoServices.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace corvane {
namespace {

/// A 1920 × 1080 screen with a 32-point top panel: floating, 640 points wide.
DashboardContext screenContext(IslandStyle style = IslandStyle::floating) {
    const Rect frame{0, 0, 1920, 1080};
    DashboardContext context =
        dashboardContext(ScreenGeo::measure(frame, 0, std::nullopt, std::nullopt, {0, 0, 1920, 1048}, true));
    context.style = style;
    return context;
}

/// A body standing in for the optimize and clean screens.
class TaskBody final : public DashboardBody {
public:
    TaskBody(DashboardMode mode, QWidget* parent) : DashboardBody(parent), mode(mode) { setFixedHeight(300); }
    void refresh() override { ++refreshes; }
    DashboardMode mode;
    int refreshes = 0;
};

/// The dashboard over a model whose queues all run on one manual executor, recording what its
/// controls ask of the island.
struct Dash {
    std::shared_ptr<test::ManualExecutor> main;
    std::shared_ptr<AppModel> model;
    std::vector<std::string> calls;
    std::unique_ptr<DashboardView> view;

    Dash(std::shared_ptr<test::ManualExecutor> executor, std::shared_ptr<AppModel> m,
         DashboardContext context = screenContext())
        : main(std::move(executor)), model(std::move(m)) {
        context.onClose = [this] { calls.emplace_back("close"); };
        context.onSettings = [this] { calls.emplace_back("settings"); };
        context.onActivityMonitor = [this] { calls.emplace_back("monitor"); };
        context.onInteract = [this] { calls.emplace_back("interact"); };
        context.onLayoutChange = [this] { calls.emplace_back("layout"); };
        model->islandWillOpen();
        main->runUntilIdle();
        view = std::make_unique<DashboardView>(model, std::move(context),
                                               [](DashboardMode mode, QWidget* parent) { return new TaskBody(mode, parent); });
        view->resize(view->sizeHint());
        view->show();
        settle();
    }

    /// Runs the model's queued work and the coalesced redraw.
    void settle() {
        main->runUntilIdle();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        view->resize(view->sizeHint());
    }

    /// The visible part that assistive technology reads as `name`.
    template <typename W = QWidget>
    W* named(const QString& name) const {
        for (W* w : view->findChildren<W*>()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (a != nullptr && a->text(QAccessible::Name) == name && w->isVisibleTo(view.get())) return w;
        }
        return nullptr;
    }
    bool showsText(const QString& text) const {
        for (QLabel* label : view->findChildren<QLabel*>()) {
            if (label->text() == text && label->isVisibleTo(view.get())) return true;
        }
        return false;
    }
    void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        settle();
    }
};

std::shared_ptr<AppModel> demoModel(MockMode mode, const std::shared_ptr<test::ManualExecutor>& main) {
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    auto model = AppModel::create(test::manualDemoServices(mode, main, prefs));
    model->start();
    main->runUntilIdle();
    return model;
}

/// Every text the dashboard shows now, and tells assistive technology: the texts of visible
/// labels and buttons and the accessible names of every visible part.
std::vector<std::string> visibleTexts(const Dash& dash) {
    std::vector<std::string> texts;
    for (QWidget* w : dash.view->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dash.view.get())) continue;
        if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && !label->text().isEmpty()) {
            texts.push_back(label->text().toStdString());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button != nullptr && !button->text().isEmpty()) {
            texts.push_back(button->text().toStdString());
        }
        if (!w->accessibleName().isEmpty()) texts.push_back(w->accessibleName().toStdString());
    }
    return texts;
}

/// No visible part of the panel is cut off or squeezed below its own needs at the reported height.
void expectFits(const Dash& dash) {
    const QSize size = dash.view->size();
    EXPECT_EQ(size, dash.view->sizeHint());
    for (QWidget* w : dash.view->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dash.view.get()) || w->parentWidget()->inherits("QScrollArea")) continue;
        const QRect inPanel(w->mapTo(dash.view.get(), QPoint(0, 0)), w->size());
        EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(inPanel))
            << w->metaObject()->className() << " " << w->accessibleName().toStdString();
        if (!w->sizePolicy().hasHeightForWidth() && w->minimumSizeHint().isValid()) {
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->metaObject()->className();
        }
    }
}

struct HomeCase {
    const char* name;
    std::function<std::unique_ptr<Dash>()> make;
    std::vector<std::string> shown;
    std::vector<std::string> absent;
    const char* headerA11y;
};

std::unique_ptr<Dash> demoDash(MockMode mode) {
    auto main = std::make_shared<test::ManualExecutor>();
    return std::make_unique<Dash>(main, demoModel(mode, main));
}

/// A fixture model with `waiting` Codex sessions waiting for the user (none: no AI rows).
struct FixtureDash {
    test::ModelFixture f;
    std::unique_ptr<Dash> dash;
    explicit FixtureDash(int waiting, PressureLevel level = PressureLevel::normal) {
        f.start();
        f.sample(level, 9 * test::GiB);
        std::vector<AISession> sessions;
        for (int i = 0; i < waiting; ++i) {
            sessions.push_back({"s" + std::to_string(i), "web" + std::to_string(i), AIActivity::waitingForUser,
                                addingSeconds(f.main->now(), -60.0 * (i + 2))});
        }
        if (waiting > 0) f.sampleAI({{AIToolKind::codex, sessions, true}});
        dash = std::make_unique<Dash>(f.main, f.model);
    }
};

TEST(DashboardView, HomeStatesShowTheirTextsAtAFittingHeight) {
    std::vector<std::unique_ptr<FixtureDash>> keep;
    const auto fixture = [&keep](int waiting, PressureLevel level) {
        return [&keep, waiting, level] {
            keep.push_back(std::make_unique<FixtureDash>(waiting, level));
            return std::move(keep.back()->dash);
        };
    };
    const HomeCase cases[] = {
        {"demo ok", [] { return demoDash(MockMode::ok); },
         {"1 个在等你", "AI 工具", "Claude Code 会话：Claude Code 在等你回复", "Codex 会话：Codex 工作中",
          "内存已用 53%，状态良好，8.5 GB，共 16 GB", "闲置软件可腾出 830 MB", "磁盘", "磁盘空间充足",
          "磁盘还剩 96 GB", "测量可释放空间", "活动监视器", "设置", "打开设置", "收起", "安静 1 小时"},
         {"选择要关闭的软件", "内存状态：良好"}, "1 个 AI 会话在等你"},
        {"demo warn", [] { return demoDash(MockMode::warn); },
         {"内存已用 81%，状态偏紧，13 GB，共 16 GB", "硬盘当内存 1.5 GB", "选择要关闭的软件",
          "磁盘快满了，会让电脑变卡", "磁盘还剩 12 GB"},
         {"内存状态：偏紧"}, "1 个 AI 会话在等你"},
        {"demo bad", [] { return demoDash(MockMode::bad); },
         {"内存已用 95%，状态紧张，15 GB，共 16 GB", "硬盘当内存 6.0 GB 偏多", "闲置软件可腾出 2.4 GB",
          "选择要关闭的软件"},
         {}, "1 个 AI 会话在等你"},
        {"no AI rows", fixture(0, PressureLevel::normal),
         {"内存状态：良好", "内存已用 75%，状态良好，12 GB，共 16 GB", "暂无可关闭的闲置软件", "磁盘快满了，会让电脑变卡",
          "磁盘还剩 9.0 GB"},
         {"AI 工具", "选择要关闭的软件"}, "内存状态：良好"},
        {"no AI rows, critical", fixture(0, PressureLevel::critical), {"内存状态：紧张", "选择要关闭的软件"}, {},
         "内存状态：紧张"},
        {"six waiting sessions", fixture(6, PressureLevel::normal),
         {"6 个在等你", "AI 工具", "另有 1 个 AI 会话，点按展开"}, {"内存状态：良好"}, "6 个 AI 会话在等你"},
    };
    for (const HomeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Dash> dash = c.make();
        const std::vector<std::string> texts = visibleTexts(*dash);
        for (const std::string& text : c.shown) EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        for (const std::string& text : c.absent) EXPECT_EQ(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        EXPECT_NE(dash->named<QLabel>(QString::fromUtf8(c.headerA11y)), nullptr);
        EXPECT_EQ(dash->view->accessibleName(), QStringLiteral("Corvane 刘海仪表盘"));
        EXPECT_EQ(dash->view->width(), 640);
        expectFits(*dash);
    }
}

QAccessibleInterface* accessible(QWidget* w) {
    return w == nullptr ? nullptr : QAccessible::queryAccessibleInterface(w);
}

/// Each control tells the island of the click first, then acts on the island or the model; the
/// controls read out as the role, name, hint and value they draw.
TEST(DashboardView, ClicksInteractFirstThenAct) {
    FixtureDash fixture(1);
    Dash& dash = *fixture.dash;
    const auto clicked = [&dash](const QString& name) {
        dash.calls.clear();
        dash.click(dash.named(name));
        return dash.calls;
    };
    using Calls = std::vector<std::string>;
    EXPECT_EQ(clicked(QStringLiteral("打开设置")), (Calls{"interact", "settings"}));
    EXPECT_EQ(clicked(QStringLiteral("收起")), (Calls{"interact", "close"}));
    EXPECT_EQ(clicked(QStringLiteral("活动监视器")), (Calls{"interact", "monitor"}));
    EXPECT_EQ(clicked(QStringLiteral("设置")), (Calls{"interact", "settings"}));
    // A press on plain text passes through the parents that watch it and still counts once.
    EXPECT_EQ(clicked(QStringLiteral("磁盘")), (Calls{"interact"}));

    QWidget* quiet = dash.named(QStringLiteral("安静 1 小时"));
    ASSERT_NE(accessible(quiet), nullptr);
    EXPECT_EQ(accessible(quiet)->role(), QAccessible::CheckBox);
    EXPECT_EQ(accessible(quiet)->text(QAccessible::Value), QStringLiteral("未开启"));
    EXPECT_EQ(quiet->toolTip(), QStringLiteral("1 小时内不弹出提醒（岛仍可手动打开）"));
    EXPECT_EQ(clicked(QStringLiteral("安静 1 小时")), (Calls{"interact"}));
    EXPECT_TRUE(dash.model->paused());
    EXPECT_EQ(accessible(quiet)->text(QAccessible::Name), QStringLiteral("安静中 · 点此恢复"));
    EXPECT_EQ(accessible(quiet)->text(QAccessible::Value), QStringLiteral("已开启"));
    EXPECT_TRUE(accessible(quiet)->state().checked);
    EXPECT_EQ(quiet->toolTip(), QStringLiteral("恢复提醒"));

    QWidget* row = dash.named(QStringLiteral("Codex 会话：Codex 在等你回复"));
    ASSERT_NE(accessible(row), nullptr);
    EXPECT_EQ(accessible(row)->role(), QAccessible::Button);
    EXPECT_EQ(accessible(row)->text(QAccessible::Description), QStringLiteral("点按跳转"));
    EXPECT_EQ(clicked(QStringLiteral("Codex 会话：Codex 在等你回复")), (Calls{"interact"}));
    EXPECT_EQ(fixture.f.opener->actions.size(), 1u);

    QWidget* measure = dash.named(QStringLiteral("测量可释放空间"));
    ASSERT_NE(accessible(measure), nullptr);
    EXPECT_EQ(accessible(measure)->text(QAccessible::Description), QStringLiteral("只在你点按时才扫描，几秒内完成"));
    EXPECT_EQ(clicked(QStringLiteral("测量可释放空间")), (Calls{"interact", "layout"}));
    EXPECT_TRUE(dash.model->diskReport().has_value());
    EXPECT_EQ(dash.named(QStringLiteral("测量可释放空间")), nullptr);
    QWidget* clean = dash.named(QStringLiteral("选择清理项目"));
    ASSERT_NE(accessible(clean), nullptr);
    EXPECT_EQ(accessible(clean)->text(QAccessible::Description),
              QStringLiteral("先测量可以清理的内容，再让你选择，不会直接删除"));

    QWidget* noIdle = dash.named(QStringLiteral("暂无可关闭的闲置软件"));
    ASSERT_NE(accessible(noIdle), nullptr);
    EXPECT_EQ(accessible(noIdle)->role(), QAccessible::StaticText);
    EXPECT_TRUE(accessible(noIdle)->actionInterface()->actionNames().isEmpty());
    EXPECT_EQ(clicked(QStringLiteral("暂无可关闭的闲置软件")), (Calls{"interact"}));
    EXPECT_EQ(dash.model->mode(), DashboardMode::home);
}

/// The idle figure with something to reclaim starts the one-click path, which shows a first-time
/// user the list.
TEST(DashboardView, IdleFigureStartsTheOneClickPath) {
    const std::unique_ptr<Dash> dash = demoDash(MockMode::warn);
    QWidget* idle = dash->named(QStringLiteral("闲置软件可腾出 1.6 GB"));
    ASSERT_NE(accessible(idle), nullptr);
    EXPECT_EQ(accessible(idle)->role(), QAccessible::Button);
    EXPECT_EQ(accessible(idle)->text(QAccessible::Description), QStringLiteral("点按一键腾出，会先让你确认"));
    EXPECT_EQ(idle->toolTip().left(6), QStringLiteral("系统缓存约 "));
    dash->calls.clear();
    dash->click(idle);
    EXPECT_EQ(dash->calls, (std::vector<std::string>{"interact", "layout"}));
    EXPECT_EQ(dash->model->mode(), DashboardMode::optimize);
    auto* task = dynamic_cast<TaskBody*>(dash->view->body());
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->mode, DashboardMode::optimize);
}

/// The toggle under the first five rows shows the rest in a list of its own, and the panel grows
/// to fit: the island hears of it once.
TEST(DashboardView, OverflowRowsGrowThePanelAndTellTheIsland) {
    FixtureDash fixture(7);
    Dash& dash = *fixture.dash;
    const int closedHeight = dash.view->height();
    dash.calls.clear();
    dash.click(dash.named(QStringLiteral("另有 2 个 AI 会话，点按展开")));
    EXPECT_TRUE(dash.model->aiExpanded());
    EXPECT_EQ(dash.calls, (std::vector<std::string>{"interact", "layout"}));
    ASSERT_NE(dash.named(QStringLiteral("收起其余 AI 会话")), nullptr);
    EXPECT_GT(dash.view->height(), closedHeight);
    auto* area = dash.view->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->isVisibleTo(dash.view.get()));
    EXPECT_LE(area->height(), 96);
    EXPECT_EQ(area->widget()->findChildren<AIRowView*>().size(), 2u);
    expectFits(dash);

    dash.calls.clear();
    dash.click(dash.named(QStringLiteral("收起其余 AI 会话")));
    EXPECT_EQ(dash.calls, (std::vector<std::string>{"interact", "layout"}));
    EXPECT_EQ(dash.view->height(), closedHeight);
}

/// However many fields change in one turn of the event loop, the dashboard redraws once; while
/// it is hidden it does not redraw at all, and it catches up when shown again.
TEST(DashboardView, RedrawsOncePerTurnAndNeverWhileHidden) {
    test::ModelFixture f;
    f.start();
    Dash dash(f.main, f.model);
    int told = 0;
    QObject::connect(&dash.view->bridge(), &ModelBridge::changed, [&told] { ++told; });

    f.model->openPreviewImmediately();
    f.model->setDiskFocus(true);
    f.model->toggleQuiet();
    f.model->setAIExpanded(true);
    f.main->runUntilIdle();
    auto* task = dynamic_cast<TaskBody*>(dash.view->body());
    EXPECT_EQ(task, nullptr) << "redrawn before the turn ended";
    dash.settle();
    EXPECT_EQ(told, 1);
    task = dynamic_cast<TaskBody*>(dash.view->body());
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->mode, DashboardMode::optimize);
    EXPECT_EQ(task->refreshes, 1);

    dash.view->hide();
    f.sample(PressureLevel::critical);
    f.model->toggleQuiet();
    dash.settle();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(task->refreshes, 1);
    EXPECT_EQ(dash.named<QLabel>(QStringLiteral("内存状态：紧张")), nullptr);

    dash.view->show();
    dash.settle();
    EXPECT_EQ(task->refreshes, 2);
    EXPECT_NE(dash.named<QLabel>(QStringLiteral("内存状态：紧张")), nullptr);

    f.model->backHome();
    dash.settle();
    EXPECT_NE(qobject_cast<HomeBody*>(dash.view->body()), nullptr);
    EXPECT_EQ(told, 2);
}

/// A changed minute count runs from the old number to the new one; frozen snapshots and other
/// rows show the new number at once.
TEST(AIRowView, MinutesCountToTheirNewValue) {
    AIRowView view;
    AIRow row;
    row.id = "codex:a";
    row.title = "Codex 在等你回复";
    row.durationLead = "web · 等了 ";
    row.durationMinutes = 5;
    row.durationTail = " 分钟";
    row.subtitle = "web · 等了 5 分钟";
    view.display(row, false, true);
    EXPECT_EQ(view.shownMinutes(), 5);

    row.durationMinutes = 9;
    row.subtitle = "web · 等了 9 分钟";
    view.display(row, false, true);
    EXPECT_EQ(view.shownMinutes(), 5);
    test::runEventsUntil([&view] { return view.shownMinutes() == 9; }, 2000);
    EXPECT_EQ(view.shownMinutes(), 9);

    row.durationMinutes = 12;
    row.subtitle = "web · 等了 12 分钟";
    view.display(row, false, false);
    EXPECT_EQ(view.shownMinutes(), 12);
    row.id = "codex:b";
    row.durationMinutes = 3;
    row.subtitle = "web · 等了 3 分钟";
    view.display(row, true, true);
    EXPECT_EQ(view.shownMinutes(), 3);
    EXPECT_TRUE(view.isHovered());
}

/// Floating panels are rounded at all four corners; in notch style the top edge is flush with
/// the screen top and only the bottom corners are rounded.
TEST(DashboardView, PanelShapeByStyle) {
    const QSizeF size(640, 300);
    const QPainterPath floating = DashboardView::panelShape(size, IslandStyle::floating);
    const QPainterPath notch = DashboardView::panelShape(size, IslandStyle::notch);
    for (const QPointF corner : {QPointF(1, 1), QPointF(638.5, 1)}) {
        EXPECT_FALSE(floating.contains(corner));
        EXPECT_TRUE(notch.contains(corner));
    }
    for (const QPointF corner : {QPointF(1, 298.5), QPointF(638.5, 298.5)}) {
        EXPECT_FALSE(floating.contains(corner));
        EXPECT_FALSE(notch.contains(corner));
    }
    EXPECT_TRUE(notch.contains(QPointF(320, 299)));
    EXPECT_TRUE(notch.contains(QPointF(1, 150)));
}

} // namespace
} // namespace corvane
