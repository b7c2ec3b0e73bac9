#include "app/AppModel.h"

#include "app/AlertRules.h"
#include "app/BackgroundStep.h"
#include "app/TimerPlan.h"
#include "memory/VerdictMaker.h"
#include "prefs/Prefs.h"
#include "status/StatusItemLook.h"
#include "wings/WingsBuilders.h"

#include <cmath>

namespace corvane {

std::shared_ptr<AppModel> AppModel::create(Services services) {
    return std::shared_ptr<AppModel>(new AppModel(std::move(services)));
}

AppModel::AppModel(Services services) : services_(std::move(services)) {
    snapshot_.timestamp = now();
    verdict_.headline = "正在检查…";
    paused_ = Prefs::isPaused(*services_.prefs, now());
    if (const double last = Prefs::value(*services_.prefs, Prefs::lastDiskAlert); last > 0) {
        lastDiskAlertAt_ = dateFromUnixSeconds(last);
    }
}

AppModel::~AppModel() {
    // The listener's thread calls back into a weak reference; stopping it first keeps that short.
    if (pressure_) pressure_->stop();
}

Subscription AppModel::observe(std::function<void(Field)> observer) {
    return changes_.subscribe([observer = std::move(observer)](const Field& field) { observer(field); });
}

void AppModel::start() {
    if (services_.activity) services_.activity->start();
    if (services_.makePressureMonitor) {
        std::weak_ptr<AppModel> weak = weak_from_this();
        auto main = services_.main;
        pressure_ = services_.makePressureMonitor([weak, main](PressureLevel) {
            main->async([weak] {
                if (auto self = weak.lock()) self->sampleMemory();
            });
        });
        if (pressure_) pressure_->start();
    }
    sampleMemory();
    sampleAI();
    scheduleTimers();
}

void AppModel::scheduleTimers() {
    memTimer_.reset();
    aiTimer_.reset();
    if (suspended_) return;
    const bool lowPower = services_.lowPowerMode && services_.lowPowerMode();
    const TimerPlan plan = timerPlan(islandOpen_, lowPower);
    std::weak_ptr<AppModel> weak = weak_from_this();
    memTimer_ = services_.main->every(plan.memory.interval, plan.memory.leeway, [weak] {
        if (auto self = weak.lock()) self->sampleMemory();
    });
    aiTimer_ = services_.main->every(plan.ai.interval, plan.ai.leeway, [weak] {
        if (auto self = weak.lock()) self->sampleAI();
    });
}

void AppModel::suspend() {
    suspended_ = true;
    memTimer_.reset();
    aiTimer_.reset();
}

void AppModel::resume() {
    suspended_ = false;
    sampleMemory();
    sampleAI();
    scheduleTimers();
}

void AppModel::sampleMemory() {
    runInBackground(
        *services_.queue, services_.main, weak_from_this(),
        [provider = services_.provider] {
            const MemorySnapshot snapshot = provider->memorySnapshot();
            return std::make_pair(snapshot, VerdictMaker::make(snapshot));
        },
        [](AppModel& model, const std::optional<std::pair<MemorySnapshot, Verdict>>& sample) {
            if (sample) model.apply(sample->first, sample->second);
        });
}

void AppModel::apply(const MemorySnapshot& snapshot, const Verdict& verdict) {
    MemorySnapshot restamped = snapshot_;
    restamped.timestamp = snapshot.timestamp;
    if (restamped == snapshot) {
        // Same counters, newer time: nothing any view shows has changed, so nothing redraws.
        snapshot_.timestamp = snapshot.timestamp;
    } else {
        publish(snapshot_, snapshot, Field::snapshot);
    }
    publish(verdict_, verdict, Field::verdict);
    pressureChanged(verdict.level, usedPercent(snapshot));
    diskAlertIfNeeded(snapshot);
}

bool AppModel::alertsAllowed(bool kindEnabled) const {
    const PreferenceStore& prefs = *services_.prefs;
    return Prefs::value(prefs, Prefs::notchEnabled) && !Prefs::isPaused(prefs, now()) && kindEnabled;
}

void AppModel::pressureChanged(PressureLevel level, int percent) {
    const bool alert = AlertRules::pressureLevelAlerts(lastLevel_, level, services_.isMock);
    lastLevel_ = level;
    if (!alert || !alertsAllowed(Prefs::value(*services_.prefs, Prefs::alertMemory))) return;
    if (lastPressureWings_ &&
        secondsBetween(*lastPressureWings_, now()) < AlertRules::pressureAlertIntervalSeconds) {
        return;
    }
    lastPressureWings_ = now();
    if (onWings) onWings(wingsForPressure(level, percent));
}

void AppModel::diskAlertIfNeeded(const MemorySnapshot& snapshot) {
    if (!alertsAllowed(Prefs::value(*services_.prefs, Prefs::alertDisk))) return;
    if (!AlertRules::shouldAlertDisk(snapshot.diskFreeBytes, lastDiskAlertAt_, now())) return;
    lastDiskAlertAt_ = now();
    if (!services_.isMock) Prefs::set(*services_.prefs, Prefs::lastDiskAlert, unixSeconds(now()));
    if (onWings) onWings(wingsForDisk(snapshot.diskFreeBytes));
}

void AppModel::publishMinuteStamp() {
    publish(minuteStamp_, static_cast<std::int64_t>(std::floor(unixSeconds(now()) / 60)), Field::minuteStamp);
}

void AppModel::islandWillOpen() {
    islandOpen_ = true;
    publish(paused_, Prefs::isPaused(*services_.prefs, now()), Field::paused);
    publishMinuteStamp();
    if (clean_.diskFocus()) measureDisk();
    scanIdleApps();
    sampleMemory();
    sampleAI();
    scheduleTimers();
}

void AppModel::islandWillCollapse() {
    islandOpen_ = false;
    scheduleTimers();
}

void AppModel::islandDidClose() {
    // A close that skipped the collapse (torn down at once) must still bring the long intervals back.
    if (islandOpen_) islandWillCollapse();
    publish(mode_, DashboardMode::home, Field::mode);
    optimize_.clearResult();
    ai_.setExpanded(false);
    optimize_.reset();
    clean_.reset();
}

void AppModel::backHome() {
    publish(mode_, DashboardMode::home, Field::mode);
    optimize_.clearList();
    clean_.clearSelection();
}

std::string AppModel::a11yStatusLabel() const {
    return corvane::a11yStatusLabel(verdict_.level, usedPercent(snapshot_), attentionCount());
}

bool AppModel::hasCleanedDiskBefore() const {
    return Prefs::value(*services_.prefs, Prefs::hasCleanedDiskBefore);
}

void AppModel::toggleQuiet() {
    Prefs::togglePause(*services_.prefs, now());
    publish(paused_, Prefs::isPaused(*services_.prefs, now()), Field::paused);
}

} // namespace corvane
