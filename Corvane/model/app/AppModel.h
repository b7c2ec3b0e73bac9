#pragma once

#include "app/ChangeNotifier.h"
#include "app/DashboardMode.h"
#include "memory/MemoryProviding.h"
#include "memory/PressureMonitor.h"
#include "memory/Verdict.h"
#include "prefs/PreferenceStore.h"
#include "support/Executor.h"
#include "support/MainExecutor.h"
#include "wings/WingsContent.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

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
        std::shared_ptr<PreferenceStore> prefs;
        /// The executor the model is confined to, with its timers and clock.
        std::shared_ptr<MainExecutor> main;
        /// "corvane.sampling": memory sampling, application listing, quitting.
        std::shared_ptr<Executor> queue;
        /// "corvane.disk": disk scans and moves to the Trash.
        std::shared_ptr<Executor> diskQueue;
        /// Whether the system's low-power mode is on; off when absent.
        std::function<bool()> lowPowerMode;
        /// Makes the kernel pressure listener; none is started when absent.
        std::function<std::unique_ptr<PressureMonitor>(PressureMonitor::OnChange)> makePressureMonitor;
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
    const std::optional<std::string>& lastResult() const { return lastResult_; }
    DashboardMode mode() const { return mode_; }
    bool paused() const { return paused_; }
    std::int64_t minuteStamp() const { return minuteStamp_; }
    bool islandOpen() const { return islandOpen_; }
    bool suspended() const { return suspended_; }

    /// Tells `observer` of every change of published state; an unchanged value notifies nobody.
    [[nodiscard]] Subscription observe(std::function<void(Field)> observer);

    /// Shown when a notice is due (memory, disk, AI). Optional.
    std::function<void(const WingsContent&)> onWings;

    /// Starts the pressure listener, samples at once and schedules the timers. Call once.
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

    MemorySnapshot snapshot_;
    Verdict verdict_;
    std::optional<std::string> lastResult_;
    DashboardMode mode_{DashboardMode::home};
    bool paused_{false};
    std::int64_t minuteStamp_{0};

    std::unique_ptr<PressureMonitor> pressure_;
    std::unique_ptr<TimerHandle> memTimer_;
    bool islandOpen_{false};
    bool suspended_{false};
    std::optional<PressureLevel> lastLevel_;
    std::optional<Date> lastPressureWings_;
    std::optional<Date> lastDiskAlertAt_;
};

} // namespace corvane
