#pragma once

#include "app/AppModel.h"
#include "support/fakes/ModelServiceFakes.h"
#include "support/fakes/RecordingOpener.h"
#include "support/fakes/RecordingTerminator.h"
#include "support/fakes/ScriptedAIWatcher.h"
#include "support/fakes/ScriptedMemoryProvider.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/ManualExecutor.h"

namespace corvane::test {

/// A regular application with one process, named "N-" + id, idle for `idle` seconds.
inline AppGroup group(std::string id, std::uint64_t bytes, std::optional<double> idle = 9000,
                      SafetyVerdict safety = SafetyVerdict::canQuit(), bool regular = true) {
    AppGroup g;
    g.id = id;
    g.name = "N-" + id;
    g.bundleID = id;
    g.pids = {static_cast<std::int32_t>(bytes % 1000 + 100)};
    g.footprintBytes = bytes;
    g.isRegularApp = regular;
    g.hasVisibleWindow = regular;
    g.idleSeconds = idle;
    g.safety = std::move(safety);
    return g;
}

/// A cache finding titled "T-" + id with one path.
inline DiskItem diskItem(std::string id, DiskRisk risk = DiskRisk::safe, std::uint64_t bytes = GiB) {
    DiskItem item;
    item.id = id;
    item.title = "T-" + id;
    item.bytes = bytes;
    item.risk = risk;
    item.paths = {"/home/u/.cache/" + id};
    return item;
}

/// A model on virtual time with scripted services; every queue runs on the manual executor.
struct ModelFixture {
    std::shared_ptr<ManualExecutor> main = std::make_shared<ManualExecutor>();
    std::shared_ptr<ScriptedMemoryProvider> provider = std::make_shared<ScriptedMemoryProvider>();
    std::shared_ptr<RecordingTerminator> terminator = std::make_shared<RecordingTerminator>();
    std::shared_ptr<ScriptedAIWatcher> watcher = std::make_shared<ScriptedAIWatcher>();
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    std::shared_ptr<FixedRunningApps> running = std::make_shared<FixedRunningApps>();
    std::shared_ptr<ScriptedDiskAdvisors> disk = std::make_shared<ScriptedDiskAdvisors>();
    std::shared_ptr<RecordingDiskCleaner> cleaner = std::make_shared<RecordingDiskCleaner>();
    std::shared_ptr<FixedSessionLinks> links = std::make_shared<FixedSessionLinks>();
    std::shared_ptr<InMemoryPreferenceStore> prefs = std::make_shared<InMemoryPreferenceStore>();
    bool lowPower = false;
    PressureMonitor::OnChange pressureCallback;
    std::vector<WingsContent> wings;
    std::vector<AlertSpec> alerts;
    int memoryReturned = 0;
    std::shared_ptr<AppModel> model;

    explicit ModelFixture(bool isMock = false) {
        Prefs::registerDefaults(*prefs);
        provider->set(PressureLevel::normal);
        running->running = {"org.example.App"};
        build(isMock);
    }

    void build(bool isMock) {
        AppModel::Services s;
        s.provider = provider;
        s.ai = watcher;
        s.terminator = terminator;
        s.forceTerminator = terminator;
        s.running = running;
        s.diskAdvisors = disk;
        s.diskCleaner = cleaner;
        s.links = links;
        s.opener = opener;
        s.returnFreeMemory = [this] { ++memoryReturned; };
        s.prefs = prefs;
        s.main = main;
        s.queue = main;
        s.diskQueue = main;
        s.userInitiated = main;
        s.lowPowerMode = [this] { return lowPower; };
        s.makePressureMonitor = [this](PressureMonitor::OnChange onChange) {
            pressureCallback = std::move(onChange);
            return std::unique_ptr<PressureMonitor>();
        };
        s.isMock = isMock;
        model = AppModel::create(std::move(s));
        model->onWings = [this](const WingsContent& content) { wings.push_back(content); };
        model->presentAlert = [this](AlertSpec alert) { alerts.push_back(std::move(alert)); };
    }

    void sample(PressureLevel level, std::uint64_t diskFree = 100 * GiB) {
        provider->set(level, diskFree);
        model->sampleMemory();
        main->runUntilIdle();
    }

    /// Starts the model and runs what it does at once.
    void start() {
        model->start();
        main->runUntilIdle();
    }

    /// Polls the AI watcher, which answers `next`.
    void sampleAI(std::vector<AIToolStatus> next) {
        watcher->next = std::move(next);
        model->sampleAI();
        main->runUntilIdle();
    }

    void openIsland() {
        model->islandWillOpen();
        main->runUntilIdle();
    }
};

} // namespace corvane::test
