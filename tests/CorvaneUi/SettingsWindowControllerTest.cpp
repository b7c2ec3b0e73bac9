#include "RunEvents.h"
#include "SettingsWindowController.h"
#include "app/linux/XdgAutostartEntry.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <thread>

namespace corvane {
namespace {

using test::runEventsUntil;

// 2026-12-08 06:00 UTC: 14:00 in the zone "CST-8".
const Date fourteen = dateFromUnixSeconds(1'796'709'600);
const QString idleFooter = QStringLiteral("AI 工具在等你、或内存变紧张时，在屏幕顶部短暂提示（没有刘海的屏幕显示为悬浮小胶囊）。"
                                          "点菜单栏图标可随时展开仪表盘。");

// A settings window over a real preference store and a real autostart entry in a temporary
// folder, with a clock the test moves.
class SettingsWindow : public ::testing::Test {
protected:
    SettingsWindow() { ::tzset(); }
    ~SettingsWindow() override {
        controller.reset();
        ::tzset();
    }

    std::shared_ptr<SettingsWindowController> makeController() {
        return std::make_shared<SettingsWindowController>(store, login, [this] { return now; },
                                                          DesktopSession{"x11", std::nullopt});
    }

    QWidget* window() const { return controller->window(); }

    QAbstractButton* control(const QString& title) const {
        for (auto* button : window()->findChildren<QAbstractButton*>()) {
            if (button->text() == title) {
                EXPECT_EQ(button->accessibleName(), title);
                return button;
            }
        }
        ADD_FAILURE() << "no control " << title.toStdString();
        return nullptr;
    }

    bool showsText(const QString& text) const {
        for (auto* label : window()->findChildren<QLabel*>()) {
            if (label->text() == text && label->isVisible()) return true;
        }
        return false;
    }

    const test::ScopedEnvironment zone{"TZ", "CST-8"};
    const test::TempDir home;
    const std::string autostart = home / "config/autostart";
    const std::string entryFile = autostart + "/corvane.desktop";
    Date now = fourteen;
    std::shared_ptr<InMemoryPreferenceStore> store = [] {
        auto made = std::make_shared<InMemoryPreferenceStore>();
        Prefs::registerDefaults(*made);
        return made;
    }();
    std::shared_ptr<XdgAutostartEntry> login = std::make_shared<XdgAutostartEntry>(autostart, "/usr/bin/corvane");
    std::shared_ptr<SettingsWindowController> controller = makeController();
};

TEST_F(SettingsWindow, OpensOnceWithItsTitleSizeAndEveryControl) {
    controller->show();
    QWidget* first = window();
    ASSERT_NE(first, nullptr);
    controller->show();
    EXPECT_EQ(window(), first) << "a second show raises the open window";
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Corvane 设置"));
    EXPECT_EQ(first->size(), QSize(420, 600));
    EXPECT_EQ(first->minimumSize(), first->maximumSize()) << "not resizable";
    EXPECT_FALSE(first->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(first->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(first->findChildren<QAbstractButton*>().size(), 10);
    for (const char* header : {"通用", "AI 提醒", "提醒范围", "菜单栏图标"}) EXPECT_TRUE(showsText(header)) << header;
    EXPECT_TRUE(showsText(idleFooter));
    EXPECT_FALSE(showsText(QString::fromUtf8(waylandSessionNote.data(), waylandSessionNote.size())));

    first->close(); // and shown again before the closed window is deleted
    controller->show();
    test::runEventsFor(50);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());
    Prefs::set(*store, Prefs::hideIcon, true);
    EXPECT_TRUE(runEventsUntil([&] { return control(QStringLiteral("隐藏菜单栏图标"))->isChecked(); }))
        << "the fresh window follows the store";
}

// Each toggle writes its key at once; a change made elsewhere, on another thread, moves the toggle.
TEST_F(SettingsWindow, TogglesWriteTheStoreAndFollowItsChanges) {
    controller->show();
    const struct {
        const char* title;
        BoolPref pref;
    } rows[] = {
        {"在菜单栏显示内存百分比", Prefs::showPercent}, {"在屏幕顶部提醒我", Prefs::notchEnabled},
        {"鼠标停在刘海上时展开仪表盘", Prefs::hoverOpen}, {"AI 在等你", Prefs::alertAIWaiting},
        {"AI 干完了", Prefs::alertFinished},             {"内存紧张", Prefs::alertMemory},
        {"磁盘不足", Prefs::alertDisk},                   {"隐藏菜单栏图标", Prefs::hideIcon},
    };
    for (const auto& row : rows) {
        QAbstractButton* toggle = control(QString::fromUtf8(row.title));
        ASSERT_NE(toggle, nullptr);
        EXPECT_EQ(toggle->isChecked(), row.pref.defaultValue) << row.title;
        toggle->click();
        EXPECT_EQ(Prefs::value(*store, row.pref), !row.pref.defaultValue) << row.title;
        EXPECT_EQ(toggle->isChecked(), !row.pref.defaultValue) << row.title;

        std::thread([&] { Prefs::set(*store, row.pref, row.pref.defaultValue); }).join();
        EXPECT_TRUE(runEventsUntil([&] { return toggle->isChecked() == row.pref.defaultValue; })) << row.title;
    }
}

// Paused at 14:00 until 15:00, resumed by the same button; a pause set elsewhere ends on its own
// when its moment passes, without any further change to the store.
TEST_F(SettingsWindow, PauseButtonAndThePauseEndingByItself) {
    controller->show();
    QAbstractButton* pause = control(QStringLiteral("暂停提醒 1 小时"));
    ASSERT_NE(pause, nullptr);
    pause->click();
    EXPECT_EQ(Prefs::value(*store, Prefs::pausedUntil), unixSeconds(fourteen) + 3600);
    EXPECT_EQ(pause->text(), QStringLiteral("恢复提醒"));
    EXPECT_EQ(pause->accessibleName(), QStringLiteral("恢复提醒"));
    EXPECT_TRUE(showsText(QStringLiteral("提醒将在 15:00 恢复。")));
    pause->click();
    EXPECT_EQ(Prefs::value(*store, Prefs::pausedUntil), 0.0);
    EXPECT_EQ(pause->text(), QStringLiteral("暂停提醒 1 小时"));
    EXPECT_TRUE(showsText(idleFooter));

    std::thread([&] { Prefs::set(*store, Prefs::pausedUntil, unixSeconds(now) + 0.3); }).join();
    ASSERT_TRUE(runEventsUntil([&] { return pause->text() == QStringLiteral("恢复提醒"); }));
    EXPECT_TRUE(showsText(QStringLiteral("提醒将在 14:00 恢复。")));
    now = addingSeconds(now, 1); // the clock moves on; nothing is written
    EXPECT_TRUE(runEventsUntil([&] { return pause->text() == QStringLiteral("暂停提醒 1 小时"); }, 3000));
    EXPECT_TRUE(showsText(idleFooter));
}

// The launch toggle writes and removes the real autostart entry; closing destroys the window
// without quitting, and the next opening reads the entry as it is now.
TEST_F(SettingsWindow, LaunchAtLoginThroughTheAutostartEntryAcrossReopening) {
    bool lastWindowClosed = false;
    const auto connection = QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { lastWindowClosed = true; });
    controller->show();
    QAbstractButton* launch = control(QStringLiteral("开机时自动启动"));
    ASSERT_NE(launch, nullptr);
    EXPECT_FALSE(launch->isChecked());
    launch->click();
    EXPECT_TRUE(std::filesystem::exists(entryFile));
    EXPECT_TRUE(launch->isChecked());

    window()->close();
    EXPECT_TRUE(runEventsUntil([&] { return window() == nullptr; }));
    EXPECT_FALSE(lastWindowClosed) << "closing the settings never ends the program";
    QObject::disconnect(connection);

    controller->show();
    EXPECT_TRUE(control(QStringLiteral("开机时自动启动"))->isChecked());
    control(QStringLiteral("开机时自动启动"))->click();
    EXPECT_FALSE(std::filesystem::exists(entryFile));
    window()->close();
    ASSERT_TRUE(runEventsUntil([&] { return window() == nullptr; }));

    ASSERT_TRUE(login->setEnabled(true)); // switched on elsewhere while the window was closed
    controller->show();
    EXPECT_TRUE(control(QStringLiteral("开机时自动启动"))->isChecked());
}

// A folder the user cannot write: the toggle falls back to off, the failure text shows in the
// first section's footer, and nothing is left in the folder.
TEST_F(SettingsWindow, UnwritableAutostartFolderShowsTheFailureAndStaysOff) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    std::filesystem::create_directories(autostart);
    ASSERT_EQ(::chmod(autostart.c_str(), 0555), 0);
    controller->show();
    QAbstractButton* launch = control(QStringLiteral("开机时自动启动"));
    ASSERT_NE(launch, nullptr);
    launch->click();
    EXPECT_FALSE(launch->isChecked());
    EXPECT_TRUE(showsText(QString::fromUtf8(launchAtLoginFailureText)));
    EXPECT_TRUE(std::filesystem::is_empty(autostart));
    ASSERT_EQ(::chmod(autostart.c_str(), 0755), 0);
}

} // namespace
} // namespace corvane
