#pragma once

#include "AttentionCenter.h"
#include "SessionLinkResolver.h"
#include "ai/AIWatching.h"
#include "app/AIRows.h"
#include "app/AlertSpec.h"
#include "app/AlertThrottle.h"
#include "apps/AppOpening.h"
#include "app/ChangeNotifier.h"
#include "app/DashboardMode.h"
#include "app/FinishedEvent.h"
#include "apps/ActivityTracker.h"
#include "apps/AppTerminating.h"
#include "disk/DiskCleanReport.h"
#include "disk/DiskItem.h"
#include "disk/DiskReport.h"
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

/// The one observable object of the program: it owns the services that read the system, runs
/// the memory and AI refresh timers, keeps the state the dashboard, island and tray show, and
/// decides when a notice is due. Confined to the main executor: every operation and every
/// callback runs there. Create it with `AppModel::create`; background steps hold it weakly.
class AppModel : public std::enable_shared_from_this<AppModel> {
public:
    /// The published fields; observers are told which one changed.
    enum class Field {
        snapshot, verdict, aiStatuses, attentionCount, lastResult, mode, previewGroups, selection,
        isQuitting, aiExpanded, diskReport, diskScanning, diskSelection, isCleaning, diskResult,
        diskFocus, paused, finishedInfo, idleCandidates, minuteStamp
    };

    /// What the model is built from. Every service called from the background queues must be
    /// safe to call from any thread.
    struct Services {
        std::shared_ptr<MemoryProviding> provider;
        std::shared_ptr<AIWatching> ai;
        /// Polite quit of one process.
        std::shared_ptr<AppTerminating> terminator;
        /// Forced quit of one process; false when it could not be done.
        std::function<bool(std::int32_t pid)> forceTerminate;
        /// Identities of the running applications, read on the main executor before a scan.
        std::function<std::set<std::string>()> runningIDs;
        /// One catalogue scan with the given running set; any thread.
        std::function<DiskReport(const std::set<std::string>& running)> diskScanner;
        /// Moves the given items to the Trash; any thread.
        std::function<DiskCleanReport(const std::vector<DiskItem>& items, const std::set<std::string>& running)>
            diskCleaner;
        /// The deep link for a session; may read files; any thread.
        std::function<SessionLink(AIToolKind tool, const std::string& sessionID)> linkResolver;
        /// Opens links and activates applications.
        std::shared_ptr<AppOpening> opener;
        /// The identity of the front-most application, for the attention center; any thread.
        std::function<std::optional<std::string>()> frontmostBundleID;
        /// Hands free memory back to the system after a large result was dropped; any thread.
        std::function<void()> returnFreeMemory;
        /// How the clean texts name the platform's file manager.
        std::string fileManagerName = "Finder";
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
        /// Front-most application history, started with the model; optional.
        std::shared_ptr<ActivityTracker> activity;
        /// A demonstration model: nothing is persisted, the first sample may alert.
        bool isMock{false};
    };

    static std::shared_ptr<AppModel> create(Services services);
    /// The production model on `main`: the system's memory provider with an activity tracker and
    /// safety policy, the AI watcher, the terminators, the disk advisor and cleaner of the
    /// platform's layout, the session-link resolver and the system's application opener.
    static std::shared_ptr<AppModel> live(std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs);
    ~AppModel();
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    // Published state.
    const MemorySnapshot& snapshot() const { return snapshot_; }
    const Verdict& verdict() const { return verdict_; }
    const std::vector<AIToolStatus>& aiStatuses() const { return aiStatuses_; }
    int attentionCount() const { return attentionCount_; }
    const std::optional<std::string>& lastResult() const { return lastResult_; }
    DashboardMode mode() const { return mode_; }
    const std::vector<AppGroup>& previewGroups() const { return previewGroups_; }
    const std::set<std::string>& selection() const { return selection_; }
    bool isQuitting() const { return isQuitting_; }
    bool aiExpanded() const { return aiExpanded_; }
    const std::optional<DiskReport>& diskReport() const { return diskReport_; }
    bool diskScanning() const { return diskScanning_; }
    const std::set<std::string>& diskSelection() const { return diskSelection_; }
    bool isCleaning() const { return isCleaning_; }
    const std::optional<std::string>& diskResult() const { return diskResult_; }
    bool diskFocus() const { return diskFocus_; }
    bool paused() const { return paused_; }
    const std::map<std::string, FinishedEvent>& finishedInfo() const { return finishedInfo_; }
    const std::optional<std::vector<AppGroup>>& idleCandidates() const { return idleCandidates_; }
    std::int64_t minuteStamp() const { return minuteStamp_; }

    // Derived values.
    /// The listed groups whose id is ticked, in list order.
    std::vector<AppGroup> selectedGroups() const;
    std::uint64_t selectedBytes() const;
    /// The idle candidates and their summed footprint; absent while none were looked for.
    std::optional<std::pair<std::uint64_t, std::vector<AppGroup>>> idleReclaim() const;
    /// The ticked, selectable items of the disk report, in report order.
    std::vector<DiskItem> diskSelectedItems() const;
    /// The rows of the dashboard's AI section for the last poll.
    std::vector<AIRow> aiRows() const;
    /// "内存压力：…，已用 N%" and the waiting sessions.
    std::string a11yStatusLabel() const;
    bool islandOpen() const { return islandOpen_; }
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
    /// Takes a memory sample on the sampling queue and applies it here.
    void sampleMemory();
    /// The island is about to open the dashboard.
    void islandWillOpen();
    /// The island has started collapsing the dashboard: long intervals again.
    void islandWillCollapse();
    /// The dashboard has been torn down: its state is reset.
    void islandDidClose();
    /// Pauses alerts for an hour, or ends a running pause.
    void toggleQuiet();

    /// Applies one sample and its verdict: publishes what changed and raises due notices.
    void apply(const MemorySnapshot& snapshot, const Verdict& verdict);

    // Optimize flow.
    /// Looks for idle applications to offer for one-click quitting (only kept while open).
    void scanIdleApps();
    /// Shows the optimize screen and fills it in the background.
    void openOptimize();
    /// The same, synchronously and with the planner's suggestions ticked.
    void openPreviewImmediately();
    /// Back to the home screen; both selections are cleared.
    void backHome();
    /// Ticks or unticks one listed group.
    void toggleGroup(const std::string& id, bool on);
    /// Asks to confirm quitting the ticked groups.
    void confirmOptimize();
    /// One-click quitting of the idle candidates (a first-time user sees the list instead).
    void oneClickTapped();
    /// Asks to confirm a forced quit of one group.
    void requestForceQuit(const AppGroup& group);
    /// Quits the regular, unprotected groups among `groups` in the background.
    void quitGroups(const std::vector<AppGroup>& groups);
    /// Forces one group's processes to end.
    void forceQuitConfirmed(const AppGroup& group);

    // Clean flow.
    void openClean();
    void openCleanImmediately(bool firstTime, DiskReport report);
    /// Starts one catalogue scan unless one runs or a report exists.
    void measureDisk();
    void toggleDisk(const std::string& id, bool on);
    void confirmClean();
    /// Re-scans, keeps what is still the same and allowed, and moves it to the Trash.
    void executeClean(const std::vector<DiskItem>& items);
    /// A disk notice was tapped: the dashboard opens on the disk section.
    void setDiskFocus(bool focus);

    // AI flow.
    /// Polls the AI tools in the background and applies the result.
    void sampleAI();
    void applyAI(const std::vector<AIToolStatus>& statuses);
    void setAIExpanded(bool expanded);
    /// Jumps to a session in its host application.
    void openSession(AIToolKind tool, const std::string& sessionID);
    /// A jump failed: one information alert per 30 s at most.
    void jumpFailed(AIToolKind tool);

private:
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
    Date now() const { return services_.main->now(); }

    Services services_;
    ChangeNotifier<Field> changes_;

    void publishMinuteStamp();

    MemorySnapshot snapshot_;
    Verdict verdict_;
    std::vector<AIToolStatus> aiStatuses_;
    int attentionCount_{0};
    std::optional<std::string> lastResult_;
    DashboardMode mode_{DashboardMode::home};
    std::vector<AppGroup> previewGroups_;
    std::set<std::string> selection_;
    bool isQuitting_{false};
    bool aiExpanded_{false};
    std::optional<DiskReport> diskReport_;
    bool diskScanning_{false};
    std::set<std::string> diskSelection_;
    bool isCleaning_{false};
    std::optional<std::string> diskResult_;
    bool diskFocus_{false};
    bool paused_{false};
    std::map<std::string, FinishedEvent> finishedInfo_;
    std::optional<std::vector<AppGroup>> idleCandidates_;
    std::int64_t minuteStamp_{0};

    std::shared_ptr<AttentionCenter> attention_;
    AlertThrottle jumpAlertThrottle_{30, std::nullopt};
    bool aiBaselineDone_{false};
    std::map<std::string, Date> workStarts_;
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
