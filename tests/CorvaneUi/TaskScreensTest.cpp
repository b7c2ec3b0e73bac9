#include "../CorvaneModel/app/ModelFixture.h"
#include "CleanBody.h"
#include "OptimizeBody.h"
#include "TaskRow.h"
#include "app/DemoServices.h"
#include "app/TaskScreenViews.h"
#include "app/demo/DemoDiskAdvisor.h"
#include "memory/FormatBytes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>

namespace corvane {
namespace {

using test::diskItem;
using test::GiB;
using test::group;
using test::ModelFixture;

constexpr int panelWidth = 560;

/// Lays the body out at the dashboard's width; with CORVANE_GRAB_DIR set, also writes it there as
/// `name`.png for a person to look at.
void layOut(QWidget& body, const char* name) {
    body.setStyleSheet(QStringLiteral("background: black;"));
    body.resize(panelWidth, body.sizeHint().height());
    body.show();
    QCoreApplication::processEvents(); // queued showing of new rows and pending layouts
    if (const char* dir = std::getenv("CORVANE_GRAB_DIR")) {
        ASSERT_TRUE(body.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromUtf8(name) + ".png")));
    }
}

QStringList rowNames(const QWidget& body) {
    QStringList names;
    for (QWidget* row : body.findChildren<QWidget*>()) {
        if (qobject_cast<TaskCheckRow*>(row) || qobject_cast<TaskNoteRow*>(row)) names << row->accessibleName();
    }
    return names;
}

TaskCheckRow* checkRow(const QWidget& body, const QString& startOfName) {
    for (auto* row : body.findChildren<TaskCheckRow*>()) {
        if (row->accessibleName().startsWith(startOfName)) return row;
    }
    return nullptr;
}

QString footerText(const QWidget& body) {
    return body.findChild<QLabel*>(QStringLiteral("summary"))->text();
}

QPushButton* button(const QWidget& body, const QString& name) {
    for (auto* b : body.findChildren<QPushButton*>()) {
        if (b->accessibleName() == name) return b;
    }
    return nullptr;
}

/// The optimize screen through its states: loading, listed with nothing ticked, a tick by click,
/// locked rows that cannot be ticked, the clamped list, the menus and the confirmation.
TEST(OptimizeBody, StatesClicksAndMenus) {
    ModelFixture f;
    f.provider->groups = {group("idle", 3 * GiB, 7300), group("caution", GiB, 700, SafetyVerdict::caution("有后台任务")),
                          group("locked", 2 * GiB, std::nullopt, SafetyVerdict::locked("密码管理器，已锁定"))};
    f.openIsland();
    f.model->openOptimize();
    OptimizeBody body(f.model, DashboardContext{});
    QPushButton* confirm = button(body, QStringLiteral("关闭所选…"));
    ASSERT_NE(confirm, nullptr);
    layOut(body, "optimize-loading");
    EXPECT_EQ(footerText(body), QStringLiteral("正在统计…"));
    EXPECT_FALSE(confirm->isEnabled());
    EXPECT_TRUE(rowNames(body).isEmpty());

    f.main->runUntilIdle();
    body.refresh();
    layOut(body, "optimize-first-use");
    EXPECT_EQ(rowNames(body), (QStringList{QStringLiteral("N-idle，占用 3.0 GB，2 小时没用"),
                                           QStringLiteral("N-caution，占用 1.0 GB，11 分钟没用，提示：有后台任务"),
                                           QStringLiteral("N-locked，占用 2.0 GB，密码管理器，已锁定，不可选择")}));
    EXPECT_EQ(body.findChildren<TaskCheckRow*>().size(), 2); // the locked row has no check box
    EXPECT_EQ(footerText(body), QStringLiteral("未选择"));
    EXPECT_FALSE(confirm->isEnabled());
    EXPECT_EQ(body.findChild<QScrollArea*>()->accessibleName(), QStringLiteral("可关闭的软件列表"));
    EXPECT_EQ(body.findChild<QScrollArea*>()->height(), 46 + 62 + 26 + 42);

    TaskCheckRow* idle = checkRow(body, QStringLiteral("N-idle"));
    ASSERT_NE(idle, nullptr);
    idle->click();
    EXPECT_EQ(f.model->selection(), std::set<std::string>{"idle"});
    body.refresh();
    layOut(body, "optimize-ticked");
    EXPECT_TRUE(idle->isChecked());
    EXPECT_EQ(checkRow(body, QStringLiteral("N-idle")), idle); // same rows, updated in place
    EXPECT_EQ(footerText(body), QStringLiteral("1 个，约腾出 3.0 GB"));
    EXPECT_TRUE(confirm->isEnabled());

    // One menu per row; force quit is offered only where the application may be quit.
    const auto menus = body.findChildren<QToolButton*>();
    ASSERT_EQ(menus.size(), 3);
    for (QToolButton* more : menus) EXPECT_EQ(more->accessibleName(), QStringLiteral("更多操作"));
    QMenu* lockedMenu = menus[2]->menu();
    emit lockedMenu->aboutToShow();
    EXPECT_FALSE(lockedMenu->actions().front()->isEnabled());
    QMenu* idleMenu = menus[0]->menu();
    emit idleMenu->aboutToShow();
    ASSERT_TRUE(idleMenu->actions().front()->isEnabled());
    EXPECT_EQ(idleMenu->actions().front()->text(), QStringLiteral("强制退出…"));
    idleMenu->actions().front()->trigger();
    ASSERT_EQ(f.alerts.size(), 1U);
    EXPECT_EQ(f.alerts[0].title, "强制退出「N-idle」？");

    confirm->click();
    ASSERT_EQ(f.alerts.size(), 2U);
    EXPECT_EQ(f.alerts[1].title, "关闭 1 个软件？");
    f.alerts[1].onConfirm();
    body.refresh(); // the quit runs: the button is held
    EXPECT_FALSE(confirm->isEnabled());
    f.main->runUntilIdle();
    EXPECT_EQ(f.model->mode(), DashboardMode::home);

    f.provider->groups.assign(12, group("x", GiB, 9000));
    for (int i = 0; i < 12; ++i) f.provider->groups[i].id += std::to_string(i);
    f.model->openPreviewImmediately();
    body.refresh();
    EXPECT_EQ(body.findChild<QScrollArea*>()->height(), 300);
    button(body, QStringLiteral("返回"))->click();
    EXPECT_EQ(f.model->mode(), DashboardMode::home);
}

/// The clean screen through its states: scanning, the four groups with check boxes only where an
/// item may be cleaned, "约 " on estimates, a tick by click, the confirmation and an empty scan.
TEST(CleanBody, StatesAndClicks) {
    ModelFixture f;
    DiskItem estimated = diskItem("cache");
    estimated.detail = approximateMark;
    DiskItem blocked = diskItem("browser", DiskRisk::safe, 2 * GiB);
    blocked.blockedReason = "浏览器正在运行，先退出它再清理";
    DiskItem info = diskItem("downloads", DiskRisk::safe, 5 * GiB);
    info.isInfoOnly = true;
    info.detail = "下载文件夹请自己看看";
    f.disk->nextScan.items = {info, blocked, diskItem("history", DiskRisk::confirm, 3 * GiB), estimated};
    f.openIsland();
    f.model->openClean();
    CleanBody body(f.model, DashboardContext{});
    QPushButton* confirm = button(body, QStringLiteral("移入废纸篓…"));
    ASSERT_NE(confirm, nullptr);
    layOut(body, "clean-scanning");
    EXPECT_EQ(footerText(body), QStringLiteral("正在测量…"));
    EXPECT_FALSE(confirm->isEnabled());

    f.main->runUntilIdle();
    body.refresh();
    layOut(body, "clean-first-use");
    EXPECT_EQ(rowNames(body), (QStringList{QStringLiteral("T-downloads，5.0 GB，仅供参考，不可选择，说明：下载文件夹请自己看看"),
                                           QStringLiteral("T-browser，2.0 GB，不可选择"),
                                           QStringLiteral("T-history，3.0 GB，含你的产出或历史"),
                                           QStringLiteral("T-cache，约 1.0 GB")}));
    QStringList headings;
    for (auto* label : body.findChildren<QLabel*>(QStringLiteral("heading"))) headings << label->text();
    EXPECT_EQ(headings, (QStringList{QStringLiteral("需要你自己处理"), QStringLiteral("暂时不能清理"),
                                     QStringLiteral("含你的产出或历史"), QStringLiteral("清了会自动重建")}));
    EXPECT_EQ(body.findChildren<TaskCheckRow*>().size(), 2);
    EXPECT_EQ(checkRow(body, QStringLiteral("T-cache"))->look().trailing, QStringLiteral("约 1.0 GB"));
    EXPECT_EQ(footerText(body), QStringLiteral("未选择"));
    EXPECT_EQ(body.findChild<QScrollArea*>()->accessibleName(), QStringLiteral("可清理的项目列表"));

    checkRow(body, QStringLiteral("T-history"))->click();
    body.refresh();
    layOut(body, "clean-ticked");
    EXPECT_EQ(footerText(body), QStringLiteral("1 项，约释放 3.0 GB"));
    EXPECT_TRUE(checkRow(body, QStringLiteral("T-history"))->isChecked());
    confirm->click();
    ASSERT_EQ(f.alerts.size(), 1U);
    EXPECT_EQ(f.alerts[0].title, "把 1 项移入废纸篓？");
    f.alerts[0].onConfirm();
    body.refresh();
    EXPECT_FALSE(confirm->isEnabled()); // held while the clean runs
    f.main->runUntilIdle();
    ASSERT_EQ(f.cleaner->cleaned.size(), 1U);
    EXPECT_EQ(f.cleaner->cleaned[0].front().id, "history");

    // Two worktrees may share an id: both rows follow the one tick.
    DiskItem otherWorktree = diskItem("wt", DiskRisk::confirm);
    otherWorktree.paths = {"/home/u/.codex/worktrees/2/wt"};
    f.model->openCleanImmediately(false, DiskReport{0, 0, {diskItem("wt", DiskRisk::confirm), otherWorktree}, {}, 0});
    body.refresh();
    const auto boxes = body.findChildren<TaskCheckRow*>();
    ASSERT_EQ(boxes.size(), 2);
    boxes[0]->click();
    body.refresh();
    EXPECT_TRUE(boxes[0]->isChecked());
    EXPECT_TRUE(boxes[1]->isChecked());

    f.model->openCleanImmediately(false, DiskReport{});
    body.refresh();
    layOut(body, "clean-empty");
    EXPECT_EQ(rowNames(body), QStringList{QStringLiteral("没有找到可以清理的内容。")});
    button(body, QStringLiteral("返回"))->click();
    EXPECT_EQ(f.model->mode(), DashboardMode::home);
}

/// The demonstration data draws as its views say: every row of the model appears once, locked
/// rows never as check boxes, and the pre-ticked rows are the ticked ones.
TEST(TaskBodies, DemonstrationScreens) {
    auto main = std::make_shared<test::ManualExecutor>();
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    for (MockMode mode : {MockMode::warn, MockMode::bad}) {
        const auto model = makeDemoModel(mode, main, prefs);
        model->openPreviewImmediately();
        DashboardContext hovering;
        hovering.hoverDemo = optimizeScreen(*model).selectableRows.at(1).id;
        OptimizeBody optimize(model, hovering);
        layOut(optimize, mode == MockMode::bad ? "demo-optimize-bad" : "demo-optimize-warn");
        EXPECT_EQ(rowNames(optimize).size(), static_cast<qsizetype>(model->previewGroups().size()));
        for (auto* row : optimize.findChildren<TaskCheckRow*>()) {
            EXPECT_FALSE(row->accessibleName().endsWith(QStringLiteral("不可选择")));
        }
        int ticked = 0;
        for (auto* row : optimize.findChildren<TaskCheckRow*>()) ticked += row->isChecked() ? 1 : 0;
        EXPECT_EQ(ticked, static_cast<int>(model->selection().size()));

        const DemoDiskAdvisors disk(10 * GiB, 500 * GiB, main->clock());
        model->openCleanImmediately(false, disk.report({"com.google.Chrome"}));
        CleanBody clean(model, DashboardContext{});
        layOut(clean, mode == MockMode::bad ? "demo-clean-bad" : "demo-clean-warn");
        EXPECT_EQ(rowNames(clean).size(), static_cast<qsizetype>(model->diskReport()->items.size()));
    }
}

} // namespace
} // namespace corvane
