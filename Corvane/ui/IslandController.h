#pragma once

#include "HoverStrip.h"

#include "app/AlertSpec.h"
#include "app/AppModel.h"
#include "island/IslandControllerRules.h"
#include "island/IslandGeometry.h"
#include "island/IslandStateMachine.h"
#include "island/IslandStress.h"
#include "prefs/PreferenceStore.h"
#include "support/MainExecutor.h"
#include "views/DashboardContext.h"
#include "wings/WingsContent.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QScreen;
class QVariantAnimation;
class QWidget;

namespace corvane {

class IslandPanel;
class IslandStressRun;

/// Developer and accessibility switches of the island.
struct IslandOptions {
    /// Write one trace line per input to standard error (`CORVANE_TRACE`).
    bool trace{false};
    /// The dashboard and notice panels are fully transparent and ignore the pointer
    /// (`CORVANE_STRESS_HIDDEN`).
    bool hiddenTest{false};
    /// The desktop asks for reduced motion: no growing or shrinking, only short fades.
    bool reducedMotion{false};
};

/// Owns the island's windows: the dashboard panel that grows below the top panel when the island
/// opens, and the short-lived wings notice. Every input goes through the island's state machine
/// and every effect it returns is performed in order: timers on the main executor, pinning
/// (the dashboard takes the keyboard only while pinned), animated expansion and collapse. Tells
/// the model when the dashboard opens and closes, presents its alerts and, after a close, hands
/// freed memory back to the system off the interface thread. Main thread only.
class IslandController final : public QObject {
    Q_OBJECT

public:
    /// Builds the dashboard's widget for one opening. Its size hint's height is the height its
    /// content wants at the context's width; it calls the context's `onLayoutChange` when that
    /// may have changed.
    using DashboardFactory = std::function<std::unique_ptr<QWidget>(const DashboardContext&)>;

    /// Installs the model's `presentAlert` and `onJumped`, and follows the screens: a screen
    /// added, removed or changing its geometry closes the island at once.
    IslandController(std::shared_ptr<AppModel> model, std::shared_ptr<MainExecutor> main,
                     std::shared_ptr<PreferenceStore> prefs, DashboardFactory makeDashboard, IslandOptions options,
                     QObject* parent = nullptr);
    ~IslandController() override;
    IslandController(const IslandController&) = delete;
    IslandController& operator=(const IslandController&) = delete;

    /// The settings window, from the dashboard's settings control.
    std::function<void()> openSettings = [] {};
    /// The desktop's system monitor, from the dashboard's control for it.
    std::function<void()> openActivityMonitor = [] {};
    /// Hands freed memory back to the system; runs on a worker thread half a second after the
    /// dashboard is torn down. Optional.
    std::function<void()> returnFreeMemory;

    IslandPhaseState state() const { return machine_.state; }
    /// The open dashboard's panel and the visible wings notice's panel; null when there is none.
    IslandPanel* dashboardPanel() const;
    IslandPanel* wingsPanel() const;
    /// Where the open dashboard's panel is heading (its final frame); empty without a dashboard.
    QRect dashboardTarget() const;

    /// Feeds one input through the state machine and performs its effects. While suspended,
    /// inputs that would open the island are dropped.
    void send(IslandInput input);
    /// Shows `content` beside the island on `screen` (null: the screen under the pointer) for
    /// `hold` seconds, unless suspended or the dashboard is open.
    void showWings(const WingsContent& content, double hold, QScreen* screen);
    void dismissWings(bool animated);
    /// A window outside the dashboard on which the pointer counts as on the open island (the
    /// hover strip, which the dashboard does not cover); null for none.
    void setHoverOpener(HoverStrip* opener) { hoverOpener_ = opener; }
    /// The screen the next expansion uses (the tray item's screen), used once.
    void setPendingScreen(QScreen* screen);
    /// The machine or the screens sleep, or the screen is locked: the island closes at once and
    /// ignores inputs that would open it until this is called with false.
    void setSuspended(bool suspended);
    /// A button press anywhere on the desktop at `global` (window-system pixels). Closes the
    /// pinned dashboard when the press is outside it.
    void outsideClick(QPoint global);
    /// The virtual desktop changed: the island closes at once.
    void desktopSwitched();
    void setReducedMotion(bool reduced);
    /// Shows an alert above the island's panels; its buttons follow the alert's order.
    void presentAlert(AlertSpec alert);
    /// Closes the island at once, without animation (a forced close through the state machine).
    void collapseNow();
    /// The screens were added, removed or changed: the island and its notice close at once.
    void screensChanged();

    /// Runs the island demonstration `name` (see island/IslandDemonstrations.h) for `hold`
    /// seconds: the dashboard opened pinned or by hover, ignoring the pointer and outside clicks
    /// until it closes again, or one notice. An unknown name writes one line to standard error.
    void debugTrigger(const std::string& name, double hold);
    /// Runs the stress test of `steps` random steps from `seed` (see IslandStressRun.h), then
    /// calls `onDone` with its findings. One run at a time; a second call while one runs is ignored.
    void runStress(int steps, std::uint64_t seed, std::function<void(const StressReport&)> onDone);

signals:
    /// The dashboard became pinned or stopped being pinned: outside presses matter only while
    /// pinned.
    void pinnedChanged(bool pinned);

private:
    struct DashSession;
    struct WingsSession;

    void perform(const IslandEffect& effect);
    void startTimer(double seconds, IslandInput input);
    void setPinned(bool pinned);
    void expand();
    void collapse();
    void teardownDash();
    void modelClosed();
    void scheduleRelayout();
    void relayout();
    void closeAtOnce();
    void animateFrame(QRect to, double radiusTo, double seconds, std::function<void()> done);
    void fadeContent(double to, double seconds, const std::function<void()>& done);
    void syncHover(int gen);
    void forceClose();
    void watchScreen(QScreen* screen);
    void wingsTapped(const WingsContent& content, QScreen* screen);
    QScreen* pickScreen();

    std::shared_ptr<AppModel> model_;
    std::shared_ptr<MainExecutor> main_;
    std::shared_ptr<PreferenceStore> prefs_;
    DashboardFactory makeDashboard_;
    IslandOptions options_;

    IslandStateMachine machine_;
    std::unique_ptr<TimerHandle> smWork_;
    std::unique_ptr<DashSession> dash_;
    std::unique_ptr<WingsSession> wings_;
    std::unique_ptr<TimerHandle> memoryRelief_;
    QPointer<QScreen> pendingScreen_;
    QPointer<HoverStrip> hoverOpener_;
    bool pinned_{false};
    bool suspended_{false};
    bool relayoutPending_{false};
    /// A demonstration holds the dashboard open: pointer enter and leave, hover synchronisation
    /// and outside clicks are ignored.
    bool debugHold_{false};
    std::unique_ptr<TimerHandle> debugWork_;
    std::unique_ptr<IslandStressRun> stress_;
    int alertsOpen_{0};
    /// The latest input and when it arrived, for the first-frame trace line.
    IslandInput lastInput_{};
    std::chrono::steady_clock::time_point lastInputAt_;
};

} // namespace corvane
