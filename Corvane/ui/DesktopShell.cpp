#include "DesktopShell.h"

#include "DesktopSwitchWatcher.h"
#include "FontRelease.h"
#include "HoverStrip.h"
#include "IslandController.h"
#include "MachineStateWatcher.h"
#include "OutsideClickWatcher.h"
#include "ReducedMotionSetting.h"
#include "QtMainExecutor.h"
#include "ScreensOn.h"
#include "SettingsPreferenceStore.h"
#include "SettingsWindowController.h"
#include "SingleInstance.h"
#include "StandardDashboard.h"
#include "StatusItemController.h"
#include "TrayHostWatcher.h"
#include "island/IslandControllerRules.h"
#include "prefs/Prefs.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QProcess>
#include <QThreadPool>
#include <QTimer>

#include <chrono>
#include <random>

#include <utility>

namespace corvane {
namespace {

/// When the start-up's garbage is handed back, and again once late work has settled.
constexpr std::chrono::milliseconds warmUpDelay{2000};
/// When the island demonstration and the stress test start after launch.
constexpr std::chrono::milliseconds demonstrationDelay{1500};
constexpr std::chrono::milliseconds stressDelay{8000};
/// How long a notice stays beside the island.
constexpr double wingsHoldSeconds = 20;

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
    createIsland();

    // Qt decides once whether a tray exists, so the item is made when a host first appears and
    // kept when it goes (a host that comes back takes the item again). The strip opens the
    // island while there is no tray to click.
    trayHosts_ = new TrayHostWatcher(this);
    connect(trayHosts_, &TrayHostWatcher::hostAvailableChanged, this, [this](bool available) {
        if (available) createStatusItem();
        strip_->setPresent(!available);
    });
    strip_->setPresent(true);

    if (parts_.answerSecondLaunch) {
        instance_ = new InstanceService([self] { if (self) self->showSettings(); }, this);
        instance_->registerOn(QDBusConnection::sessionBus());
    }

    connectModel(*machine_, model_);
    model_->start();
    if (parts_.warmUp) QTimer::singleShot(warmUpDelay, this, &DesktopShell::warmUp);
    startDeveloperRuns();
}

void DesktopShell::startDeveloperRuns() {
    if (parts_.islandDemonstration) {
        QTimer::singleShot(demonstrationDelay, this,
                           [this] { island_->debugTrigger(*parts_.islandDemonstration, parts_.islandHold); });
    }
    if (parts_.stressSteps) {
        const std::uint64_t seed = parts_.stressSeed ? *parts_.stressSeed : std::random_device()();
        QTimer::singleShot(stressDelay, this, [this, seed] {
            island_->runStress(*parts_.stressSteps, seed,
                               [](const StressReport& report) { QCoreApplication::exit(stressClean(report) ? 0 : 1); });
        });
    }
}

void DesktopShell::showSettings() { settings_->show(); }

void DesktopShell::createIsland() {
    IslandOptions options;
    options.trace = parts_.traceIsland;
    options.hiddenTest = parts_.hiddenIslandTest;
    options.reducedMotion = reducedMotion();
    const std::weak_ptr<AppModel> weakModel = model_;
    auto makeDashboard = [weakModel](const DashboardContext& context) -> std::unique_ptr<QWidget> {
        return makeStandardDashboard(weakModel, context);
    };
    island_ = std::make_unique<IslandController>(model_, main_, prefs_, makeDashboard, options);
    island_->openSettings = [this] { showSettings(); };
    island_->openActivityMonitor = [this] { openSystemMonitor(); };
    island_->returnFreeMemory = parts_.returnFreeMemory;
    if (parts_.realAlerts) {
        model_->onWings = [this](const WingsContent& content) { island_->showWings(content, wingsHoldSeconds, nullptr); };
    }
    connect(machine_, &MachineStateWatcher::suspendedChanged, island_.get(), &IslandController::setSuspended);

    auto* outside = new OutsideClickWatcher(this);
    connect(island_.get(), &IslandController::pinnedChanged, outside, [outside](bool pinned) {
        if (pinned) outside->start();
        else outside->stop();
    });
    connect(outside, &OutsideClickWatcher::pressed, island_.get(), &IslandController::outsideClick);
    auto* desktops = new DesktopSwitchWatcher(this);
    connect(desktops, &DesktopSwitchWatcher::switched, island_.get(), &IslandController::desktopSwitched);

    strip_ = std::make_unique<HoverStrip>();
    connect(strip_.get(), &HoverStrip::entered, this, [this] {
        if (const auto input = stripEnterInput(island_->state(), Prefs::value(*prefs_, Prefs::hoverOpen))) {
            island_->send(*input);
        }
    });
    connect(strip_.get(), &HoverStrip::exited, this, [this] {
        if (const auto input = stripExitInput(island_->state())) island_->send(*input);
    });
    island_->setHoverOpener(strip_.get());
    connect(strip_.get(), &HoverStrip::clicked, this, [this] { island_->send(IslandInput::notchClick); });
}

void DesktopShell::createStatusItem() {
    if (status_) return;
    status_ = new StatusItemController(model_, prefs_, [this] { openSystemMonitor(); },
                                       [main = main_] { return main->now(); }, this);
    status_->onToggle = [this](QScreen* screen) {
        island_->setPendingScreen(screen);
        island_->send(IslandInput::iconToggle);
    };
}

void DesktopShell::openSystemMonitor() const {
    const std::vector<std::string> command = parts_.systemMonitorCommand ? parts_.systemMonitorCommand()
                                                                          : std::vector<std::string>{};
    if (command.empty()) return;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i) arguments << QString::fromStdString(command[i]);
    QProcess::startDetached(QString::fromStdString(command.front()), arguments);
}

// The dashboard drawn once off-screen makes the first real opening as quick as later ones (its
// code is loaded; its fonts are let go again, as after every closing). The allocator then keeps
// what the start-up freed; handing it back keeps the resident size of a program that runs all
// day small. Trimming walks the heap, so it runs off the interface thread.
void DesktopShell::warmUp() {
    const auto returnMemory = [this] {
        if (!parts_.returnFreeMemory) return;
        QThreadPool::globalInstance()->start(parts_.returnFreeMemory);
        QTimer::singleShot(warmUpDelay, this,
                           [this] { QThreadPool::globalInstance()->start(parts_.returnFreeMemory); });
    };
    if (!parts_.makePreviewModel) {
        returnMemory();
        return;
    }
    auto* prewarm = new DashboardPrewarm(parts_.makePreviewModel, main_, this);
    connect(prewarm, &DashboardPrewarm::finished, this, [prewarm, returnMemory] {
        prewarm->deleteLater();
        releaseLoadedFonts();
        returnMemory();
    });
    prewarm->start();
}

int runDesktop(int argc, char** argv, DesktopParts parts, bool handOff) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    // The installed desktop entry and its themed icon name the windows in taskbars and switchers.
    QApplication::setDesktopFileName(QStringLiteral("com.quillmere.Corvane"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.quillmere.Corvane")));
    QApplication::setQuitOnLastWindowClosed(false);
    if (handOff && handOffToRunningInstance(QDBusConnection::sessionBus())) return 0;
    DesktopShell shell(std::move(parts));
    shell.launch();
    return QApplication::exec();
}

} // namespace corvane
