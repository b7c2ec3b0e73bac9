#include "DesktopShell.h"

#include "MachineStateWatcher.h"
#include "QtMainExecutor.h"
#include "ScreensOn.h"
#include "SettingsPreferenceStore.h"
#include "SettingsWindowController.h"
#include "SingleInstance.h"
#include "StatusItemController.h"
#include "TrayHostWatcher.h"
#include "prefs/Prefs.h"

#include <QApplication>
#include <QDBusConnection>
#include <QProcess>
#include <QThreadPool>
#include <QTimer>

#include <chrono>

#include <utility>

namespace corvane {
namespace {

/// When the start-up's garbage is handed back, and again once late work has settled.
constexpr std::chrono::milliseconds warmUpDelay{2000};

} // namespace

DesktopShell::DesktopShell(DesktopParts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), main_(std::make_shared<QtMainExecutor>()),
      prefs_(std::make_shared<SettingsPreferenceStore>()) {}

DesktopShell::~DesktopShell() = default;

void DesktopShell::launch() {
    Prefs::registerDefaults(*prefs_);

    machine_ = new MachineStateWatcher(QDBusConnection::systemBus(), QDBusConnection::sessionBus(),
                                       systemScreensOnReader(), this);
    model_ = parts_.makeModel(main_, prefs_, powerSaverSource(*machine_));

    settings_ = std::make_unique<SettingsWindowController>(prefs_, parts_.loginItem,
                                                           [main = main_] { return main->now(); }, parts_.session);
    QPointer<DesktopShell> self = this;
    model_->openSettings = [self] {
        if (self) self->showSettings();
    };

    // Qt decides once whether a tray exists, so the item is made when a host first appears and
    // kept when it goes (a host that comes back takes the item again).
    trayHosts_ = new TrayHostWatcher(this);
    connect(trayHosts_, &TrayHostWatcher::hostAvailableChanged, this, [this](bool available) {
        if (available) createStatusItem();
    });

    if (parts_.answerSecondLaunch) {
        instance_ = new InstanceService([self] { if (self) self->showSettings(); }, this);
        instance_->registerOn(QDBusConnection::sessionBus());
    }

    connectModel(*machine_, model_);
    model_->start();
    if (parts_.warmUp) QTimer::singleShot(warmUpDelay, this, &DesktopShell::warmUp);
}

void DesktopShell::showSettings() { settings_->show(); }

void DesktopShell::createStatusItem() {
    if (status_) return;
    status_ = new StatusItemController(model_, prefs_, [this] { openSystemMonitor(); },
                                       [main = main_] { return main->now(); }, this);
    status_->onToggle = [this](QScreen* screen) { onIconToggle(screen); };
}

void DesktopShell::openSystemMonitor() const {
    const std::vector<std::string> command = parts_.systemMonitorCommand ? parts_.systemMonitorCommand()
                                                                          : std::vector<std::string>{};
    if (command.empty()) return;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i) arguments << QString::fromStdString(command[i]);
    QProcess::startDetached(QString::fromStdString(command.front()), arguments);
}

// The allocator keeps what the start-up freed; handing it back keeps the resident size of a
// program that runs all day small. Trimming walks the heap, so it runs off the interface thread.
void DesktopShell::warmUp() {
    if (!parts_.returnFreeMemory) return;
    QThreadPool::globalInstance()->start(parts_.returnFreeMemory);
    QTimer::singleShot(warmUpDelay, this, [this] { QThreadPool::globalInstance()->start(parts_.returnFreeMemory); });
}

int runDesktop(int argc, char** argv, DesktopParts parts, bool handOff) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    if (handOff && handOffToRunningInstance(QDBusConnection::sessionBus())) return 0;
    DesktopShell shell(std::move(parts));
    shell.launch();
    return QApplication::exec();
}

} // namespace corvane
