#include "StatusItemController.h"
#include "TrayHostWatcher.h"
#include "XSession.h"

#include "CorvaneModel/app/ModelFixture.h"
#include "CorvaneUi/RunEvents.h"
#include "support/DbusDaemon.h"
#include "support/ShellCommand.h"

#include <QApplication>
#include <QDBusConnection>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::ChildProcess;
using test::ScopedEnvironment;

/// Waits for the tray and the window manager, which are slow on a loaded machine.
bool runEventsUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    return test::runEventsUntil(done, timeoutMs);
}

/// The window Qt shows an XEmbed tray icon in (a top-level widget of its own).
QWidget* trayIconWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (QString::fromLatin1(widget->metaObject()->className()) == QStringLiteral("QSystemTrayIconSys")) return widget;
    }
    return nullptr;
}

/// True once the X server says the window's parent is no longer the root: a tray embedded it.
bool embedded(const QWidget* window) {
    if (window == nullptr) return false;
    const auto tree = test::runShell("xwininfo -children -id " + std::to_string(window->winId()));
    const auto line = tree.out.find("Parent window id:");
    return tree.status == 0 && line != std::string::npos &&
           tree.out.find("(the root window)", line) > tree.out.find('\n', line);
}

/// A private X server with a window manager, a private session bus, and Qt on that server.
/// Tray hosts come and go: a StatusNotifierItem watcher's name claimed on the bus, then Debian's
/// trayer as an XEmbed tray; the watcher reports each, and the tray item shows in trayer and
/// toggles on a real click.
TEST(TrayLive, HostsAreFollowedAndTheItemEmbedsInAnXEmbedTrayAndTogglesOnAClick) {
    test::XSession session;
    ASSERT_EQ(session.failure(), "");
    const auto bus = test::DbusDaemon::start();
    ASSERT_TRUE(bus);
    ScopedEnvironment busVariable("DBUS_SESSION_BUS_ADDRESS", bus->address());
    ScopedEnvironment platform("QT_QPA_PLATFORM", "xcb");

    int argc = 1;
    char name[] = "tray-live-test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    TrayHostWatcher watcher;
    std::vector<bool> reports;
    QObject::connect(&watcher, &TrayHostWatcher::hostAvailableChanged,
                     [&](bool available) { reports.push_back(available); });
    runEventsUntil([] { return false; }, 300);
    EXPECT_TRUE(reports.empty());

    const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");
    ASSERT_TRUE(QDBusConnection::sessionBus().registerService(watcherName));
    EXPECT_TRUE(runEventsUntil([&] { return reports.size() == 1; }));
    ASSERT_TRUE(QDBusConnection::sessionBus().unregisterService(watcherName));
    EXPECT_TRUE(runEventsUntil([&] { return reports.size() == 2; }));

    auto trayer = std::make_unique<ChildProcess>(std::vector<std::string>{
        "trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32"});
    EXPECT_TRUE(runEventsUntil([&] { return reports.size() == 3; }));
    EXPECT_TRUE(watcher.hostAvailable());

    test::ModelFixture f;
    MemorySnapshot snapshot;
    snapshot.totalBytes = 100;
    snapshot.freeBytes = 28;
    f.model->apply(snapshot, Verdict{PressureLevel::elevated, "", "", Verdict::Action::none});
    f.sampleAI({{AIToolKind::codex, {{"a", "web", AIActivity::waitingForUser, f.main->now()}}, true}});
    StatusItemController controller(f.model, f.prefs, [] {}, f.main->clock());
    std::vector<QScreen*> toggles;
    controller.onToggle = [&](QScreen* screen) { toggles.push_back(screen); };
    ASSERT_TRUE(runEventsUntil([] { return embedded(trayIconWindow()); }));
    // The tray may still move the icon after embedding it (late under load): each attempt reads
    // where the X server shows it now (Qt's own geometry of an embedded icon is relative to the tray).
    for (int attempt = 0; attempt < 5 && toggles.empty(); ++attempt) {
        const auto where = test::runShell("xwininfo -id " + std::to_string(trayIconWindow()->winId()));
        const auto field = [&](const std::string& label) {
            const auto at = where.out.find(label);
            return at == std::string::npos ? -1 : std::stoi(where.out.substr(at + label.size()));
        };
        const int x = field("Absolute upper-left X:") + field("Width:") / 2;
        const int y = field("Absolute upper-left Y:") + field("Height:") / 2;
        ASSERT_GT(x, 0);
        ASSERT_GT(y, 0);
        // No --sync: it waits for the pointer to move, forever when it is already there (a retry
        // at the same spot would never click).
        ChildProcess click({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.2", "click", "1"});
        runEventsUntil([&] { return !toggles.empty(); }, 4000);
    }
    ASSERT_FALSE(toggles.empty());
    EXPECT_EQ(toggles[0], QGuiApplication::primaryScreen());

    trayer.reset();
    EXPECT_TRUE(runEventsUntil([&] { return reports.size() == 4; }));
    EXPECT_EQ(reports, (std::vector<bool>{true, false, true, false}));
}

} // namespace
} // namespace corvane
