#pragma once

#include "ai/AIWatching.h"
#include "app/AIFlow.h"
#include "app/AlertSpec.h"
#include "app/ChangeNotifier.h"
#include "app/CleanFlow.h"
#include "app/DashboardMode.h"
#include "app/DiskAdvisorMaking.h"
#include "app/DiskCleaning.h"
#include "app/ModelField.h"
#include "app/OptimizeFlow.h"
#include "app/RunningAppListing.h"
#include "app/SessionLinkResolving.h"
#include "apps/ActivityTracker.h"
#include "apps/AppOpening.h"
#include "apps/AppTerminating.h"
#include "memory/MemoryProviding.h"
#include "memory/PressureMonitor.h"
#include "memory/Verdict.h"
#include "prefs/PreferenceStore.h"
#include "support/Executor.h"
#include "support/MainExecutor.h"
#include "wings/WingsContent.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {

/// The one observable object of the program: it holds the services that read the system, runs
/// the memory and AI refresh timers, keeps the state the dashboard, island and tray show, and
/// decides when a notice is due. The optimize, clean and AI flows keep their own state; the
/// model publishes it and forwards their operations. Confined to the main executor: every
/// operation and every callback runs there. Create it with `AppModel::create`; background steps
/// hold it weakly.
class AppModel : public std::enable_shared_from_this<AppModel> {
public:
    /// The published fields; observers are told which one changed.
    using Field = ModelField;

    /// What the model is built from. Every service called from the background queues must be
    /// safe to call from any thread.
    struct Services {
        std::shared_ptr<MemoryProviding> provider;
        std::shared_ptr<AIWatching> ai;
        /// Polite quit of one process.
        std::shared_ptr<AppTerminating> terminator;
        /// Forced quit of one process.
        std::shared_ptr<AppForceTerminating> forceTerminator;
        /// Identities of the running applications, read on the main executor before a scan.
        std::shared_ptr<RunningAppListing> running;
        /// The advisor of one catalogue scan.
        std::shared_ptr<DiskAdvisorMaking> diskAdvisors;
        /// Moves chosen items to the Trash.
        std::shared_ptr<DiskCleaning> diskCleaner;
        /// The deep link for a session.
        std::shared_ptr<SessionLinkResolving> links;
        /// Opens links and activates applications.
        std::shared_ptr<AppOpening> opener;
        /// Hands free memory back to the system after a large result was dropped; any thread.
        std::function<void()> returnFreeMemory;
        /// How the clean texts name the platform's file manager.
        std::string fileManagerName = "文件管理器";
        std::shared_ptr<PreferenceStore> prefs;
        /// The executor the model is confined to, with its timers and clock.
        std::shared_ptr<MainExecutor> main;
        /// "corvane.sampling": memory sampling, application listing, quitting.
        std::shared_ptr<Executor> queue;
        /// "corvane.disk": disk scans and moves to the Trash.
        std::shared_ptr<Executor> diskQueue;
        /// Work the user is waiting for (resolving a session link).
        std::shared_ptr<Executor> userInitiated;
        /// Whether the system's low-power mode is on; off when absent.
        std::function<bool()> lowPowerMode;
        /// Makes the kernel pressure listener; none is started when absent.
        std::function<std::unique_ptr<PressureMonitor>(PressureMonitor::OnChange)> makePressureMonitor;
        /// Front-most application history, started with the model, and the front-most
        /// application the attention center asks about; optional.
        std::shared_ptr<ActivityTracker> activity;
        /// A demonstration model: nothing is persisted, the first sample may alert.
        bool isMock{false};
    };

    static std::shared_ptr<AppModel> create(Services services);
    ~AppModel();
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    // Published state.
    const MemorySnapshot& snapshot() const { return snapshot_; }
    const Verdict& verdict() const { return verdict_; }
    const std::vector<AIToolStatus>& aiStatuses() const { return ai_.aiStatuses(); }
    int attentionCount() const { return ai_.attentionCount(); }
    const std::optional<std::string>& lastResult() const { return optimize_.lastResult(); }
    DashboardMode mode() const { return mode_; }
    const std::vector<AppGroup>& previewGroups() const { return optimize_.previewGroups(); }
    /// The optimize list is being fetched: the screen shows "正在统计…" meanwhile.
    bool previewLoading() const { return optimize_.previewLoading(); }
    const std::set<std::string>& selection() const { return optimize_.selection(); }
    bool isQuitting() const { return optimize_.isQuitting(); }
    bool aiExpanded() const { return ai_.aiExpanded(); }
    const std::optional<DiskReport>& diskReport() const { return clean_.diskReport(); }
    bool diskScanning() const { return clean_.diskScanning(); }
    const std::set<std::string>& diskSelection() const { return clean_.diskSelection(); }
    bool isCleaning() const { return clean_.isCleaning(); }
    const std::optional<std::string>& diskResult() const { return clean_.diskResult(); }
    bool diskFocus() const { return clean_.diskFocus(); }
    bool paused() const { return paused_; }
    const std::map<std::string, FinishedEvent>& finishedInfo() const { return ai_.finishedInfo(); }
    const std::optional<std::vector<AppGroup>>& idleCandidates() const { return optimize_.idleCandidates(); }
    std::int64_t minuteStamp() const { return minuteStamp_; }

    // Derived values.
    /// The listed groups whose id is ticked, in list order.
    std::vector<AppGroup> selectedGroups() const { return optimize_.selectedGroups(); }
    std::uint64_t selectedBytes() const { return optimize_.selectedBytes(); }
    /// The idle candidates and their summed footprint; absent while none were looked for.
    std::optional<std::pair<std::uint64_t, std::vector<AppGroup>>> idleReclaim() const {
        return optimize_.idleReclaim();
    }
    /// The ticked, selectable items of the disk report, in report order.
    std::vector<DiskItem> diskSelectedItems() const { return clean_.selectedItems(); }
    /// The rows of the dashboard's AI section for the last poll.
    std::vector<AIRow> aiRows() const { return ai_.rows(); }
    /// "内存压力：…，已用 N%" and the waiting sessions.
    std::string a11yStatusLabel() const;
    bool islandOpen() const { return islandOpen_; }
    /// Whether a clean has ever moved something (the clean screen's intro follows it).
    bool hasCleanedDiskBefore() const;
    bool suspended() const { return suspended_; }

    /// Tells `observer` of every change of published state; an unchanged value notifies nobody.
    [[nodiscard]] Subscription observe(std::function<void(Field)> observer);

    /// Shown when a notice is due (memory, disk, AI). Optional.
    std::function<void(const WingsContent&)> onWings;
    /// Called after a successful jump to an AI session.
    std::function<void()> onJumped = [] {};
    /// Shows the settings window.
    std::function<void()> openSettings = [] {};
    /// Presents a confirmation or information alert in the island. Optional: without it nothing
    /// that needs confirming happens.
    std::function<void(AlertSpec)> presentAlert;

    /// Starts the activity tracker and the pressure listener, samples at once and schedules the
    /// timers. Call once.
    void start();
    /// Cancels and recreates both timers for the current state (none while suspended).
    void scheduleTimers();
    /// Sleep, screen sleep, screen lock: no timers until `resume`. Not counted.
    void suspend();
    /// Wake or unlock: samples at once and restarts the timers.
    void resume();
    /// Low-power mode switched: the intervals follow.
    void powerStateChanged() { scheduleTimers(); }
    /// Takes a memory sample on the sampling queue and applies it here; a failed sample changes
    /// nothing.
    void sampleMemory();
    /// The island is about to open the dashboard.
    void islandWillOpen();
    /// The island has started collapsing the dashboard: long intervals again.
    void islandWillCollapse();
    /// The dashboard has been torn down: its state is reset and, when the collapse was not
    /// announced, the long intervals come back.
    void islandDidClose();
    /// Pauses alerts for an hour, or ends a running pause.
    void toggleQuiet();

    /// Applies one sample and its verdict: publishes what changed (a snapshot whose counters are
    /// unchanged only takes the new time, silently) and raises due notices.
    void apply(const MemorySnapshot& snapshot, const Verdict& verdict);

    // Optimize flow.
    /// Looks for idle applications to offer for one-click quitting (only kept while open).
    void scanIdleApps() { optimize_.scanIdleApps(); }
    /// Shows the optimize screen and fills it in the background.
    void openOptimize() { optimize_.open(); }
    /// The same, synchronously and with the planner's suggestions ticked.
    void openPreviewImmediately() { optimize_.openImmediately(); }
    /// Back to the home screen; both selections are cleared.
    void backHome();
    /// Ticks or unticks one listed group.
    void toggleGroup(const std::string& id, bool on) { optimize_.toggleGroup(id, on); }
    /// Asks to confirm quitting the ticked groups.
    void confirmOptimize() { optimize_.confirm(); }
    /// One-click quitting of the idle candidates (a first-time user sees the list instead).
    void oneClickTapped() { optimize_.oneClickTapped(); }
    /// Asks to confirm a forced quit of one group.
    void requestForceQuit(const AppGroup& group) { optimize_.requestForceQuit(group); }
    /// Quits the regular, unprotected groups among `groups` in the background.
    void quitGroups(const std::vector<AppGroup>& groups) { optimize_.quitGroups(groups); }
    /// Forces one group's processes to end and says whether that worked.
    void forceQuitConfirmed(const AppGroup& group) { optimize_.forceQuitConfirmed(group); }

    // Clean flow.
    void openClean() { clean_.open(); }
    void openCleanImmediately(bool firstTime, DiskReport report) { clean_.openImmediately(firstTime, std::move(report)); }
    /// Starts one catalogue scan unless one runs or a report exists.
    void measureDisk() { clean_.measure(); }
    void toggleDisk(const std::string& id, bool on) { clean_.toggle(id, on); }
    void confirmClean() { clean_.confirm(); }
    /// Re-scans, keeps what is still the same and allowed, and moves it to the Trash.
    void executeClean(const std::vector<DiskItem>& items) { clean_.execute(items); }
    /// A disk notice was tapped: the dashboard opens on the disk section.
    void setDiskFocus(bool focus) { clean_.setFocus(focus); }

    // AI flow.
    /// Polls the AI tools in the background and applies the result.
    void sampleAI() { ai_.sample(); }
    void applyAI(const std::vector<AIToolStatus>& statuses) { ai_.apply(statuses); }
    void setAIExpanded(bool expanded) { ai_.setExpanded(expanded); }
    /// Jumps to a session in its host application.
    void openSession(AIToolKind tool, const std::string& sessionID) { ai_.openSession(tool, sessionID); }
    /// A jump failed: one information alert per 30 s at most.
    void jumpFailed(AIToolKind tool) { ai_.jumpFailed(tool); }

private:
    // The flows are parts of the model: they publish through it and read its shared state.
    friend class OptimizeFlow;
    friend class CleanFlow;
    friend class AIFlow;

    explicit AppModel(Services services);

    template <typename T>
    void publish(T& field, T value, Field which) {
        if (field == value) return;
        field = std::move(value);
        changes_.notify(which);
    }

    bool alertsAllowed(bool kindEnabled) const;
    void pressureChanged(PressureLevel level, int percent);
    void diskAlertIfNeeded(const MemorySnapshot& snapshot);
    void publishMinuteStamp();
    Date now() const { return services_.main->now(); }

    Services services_;
    ChangeNotifier<Field> changes_;

    MemorySnapshot snapshot_;
    Verdict verdict_;
    DashboardMode mode_{DashboardMode::home};
    bool paused_{false};
    std::int64_t minuteStamp_{0};

    OptimizeFlow optimize_{*this};
    CleanFlow clean_{*this};
    AIFlow ai_{*this};

    std::unique_ptr<TimerHandle> aiTimer_;
    std::unique_ptr<PressureMonitor> pressure_;
    std::unique_ptr<TimerHandle> memTimer_;
    bool islandOpen_{false};
    bool suspended_{false};
    std::optional<PressureLevel> lastLevel_;
    std::optional<Date> lastPressureWings_;
    std::optional<Date> lastDiskAlertAt_;
};

} // namespace corvane
