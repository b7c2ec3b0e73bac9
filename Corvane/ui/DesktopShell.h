#pragma once

#include "DashboardPrewarm.h"
#include "app/AppModel.h"
#include "prefs/LoginItem.h"
#include "prefs/PreferenceStore.h"
#include "prefs/SettingsFormContent.h"
#include "support/MainExecutor.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QScreen;

namespace corvane {

class HoverStrip;
class InstanceService;
class IslandController;
class MachineStateWatcher;
class QtMainExecutor;
class SettingsWindowController;
class StatusItemController;
class TrayHostWatcher;

/// What the entry point hands the desktop program: the pieces only the composition root can
/// name, and the switches read from the command line and the environment.
struct DesktopParts {
    /// Builds the model on the main executor with the store; `lowPowerMode` tells whether the
    /// machine saves power.
    std::function<std::shared_ptr<AppModel>(std::shared_ptr<MainExecutor>, std::shared_ptr<PreferenceStore>,
                                            std::function<bool()> lowPowerMode)>
        makeModel;
    std::shared_ptr<LoginItem> loginItem;
    /// The command that opens the desktop's system monitor; empty when there is none.
    std::function<std::vector<std::string>()> systemMonitorCommand;
    /// Hands free memory back to the system; runs off the interface thread.
    std::function<void()> returnFreeMemory;
    /// Answer a second launch over the session bus (off with `CORVANE_ALLOW_SECOND`).
    bool answerSecondLaunch{true};
    /// Builds the demonstration model the warm-up draws the dashboard for (none: no drawing).
    DashboardPrewarm::PreviewModelFactory makePreviewModel;
    /// Two seconds after the start: draw the dashboard once off-screen, then return memory to the
    /// system (off with `CORVANE_NOWARM`).
    bool warmUp{true};
    /// The login session (the settings window explains the limits of a Wayland one).
    DesktopSession session;
    /// Real notices reach the island (off while an island demonstration or stress test runs).
    bool realAlerts{true};
    /// The island's developer switches (`CORVANE_TRACE`, `CORVANE_STRESS_HIDDEN`).
    bool traceIsland{false};
    bool hiddenIslandTest{false};
    /// The island demonstration run 1.5 s after launch and its hold in seconds (`CORVANE_ISLAND`).
    std::optional<std::string> islandDemonstration;
    double islandHold{3.0};
    /// The stress test's step count, run 8 s after launch (`CORVANE_STRESS`); the program then
    /// quits, with status 0 when the run was clean and 1 otherwise. A fixed seed, else a random one.
    std::optional<int> stressSteps;
    std::optional<std::uint64_t> stressSeed;
};

/// The desktop program's shell: keeps the user's preferences in their file, builds the model, the
/// island, the tray item (once a tray host exists; until then a strip at the top centre opens the
/// island), the settings window and the listeners, and owns them for the life of the process.
/// Main thread only.
class DesktopShell final : public QObject {
    Q_OBJECT

public:
    explicit DesktopShell(DesktopParts parts, QObject* parent = nullptr);
    ~DesktopShell() override;
    DesktopShell(const DesktopShell&) = delete;
    DesktopShell& operator=(const DesktopShell&) = delete;

    /// The launch sequence: defaults, model, settings, island and tray wiring, the second-launch
    /// listener, the machine's state, `start()`, then the warm-up two seconds later and the
    /// island demonstration (1.5 s) and stress test (8 s) when asked for.
    void launch();
    void showSettings();

    const std::shared_ptr<AppModel>& model() const { return model_; }

private:
    void createIsland();
    void createStatusItem();
    void openSystemMonitor() const;
    void warmUp();
    /// The island demonstration and the stress test the environment asked for.
    void startDeveloperRuns();

    DesktopParts parts_;
    std::shared_ptr<QtMainExecutor> main_;
    std::shared_ptr<PreferenceStore> prefs_;
    std::shared_ptr<AppModel> model_;
    std::unique_ptr<SettingsWindowController> settings_;
    QPointer<MachineStateWatcher> machine_;
    QPointer<TrayHostWatcher> trayHosts_;
    QPointer<StatusItemController> status_;
    QPointer<InstanceService> instance_;
    std::unique_ptr<IslandController> island_;
    std::unique_ptr<HoverStrip> strip_;
};

/// Runs the desktop program until it is asked to quit: the application object, the hand-off to a
/// running copy (when `handOff`; a second launch then ends here with 0), the shell and the event
/// loop. Returns the exit status.
int runDesktop(int argc, char** argv, DesktopParts parts, bool handOff);

} // namespace corvane
