#pragma once

#include "app/AppModel.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/ManualExecutor.h"

#include <mutex>

namespace corvane::test {

constexpr std::uint64_t GiB = 1ULL << 30;

/// Hands out the snapshot and groups the test sets; counts samples.
class ScriptedProvider final : public MemoryProviding {
public:
    MemorySnapshot memorySnapshot() override {
        std::lock_guard lock(mutex_);
        ++samples_;
        return next_;
    }
    std::vector<AppGroup> topAppGroups(int limit) override {
        std::lock_guard lock(mutex_);
        std::vector<AppGroup> groups = groups_;
        if (static_cast<int>(groups.size()) > limit) groups.resize(static_cast<std::size_t>(limit));
        return groups;
    }
    void set(PressureLevel level, std::uint64_t diskFree = 100 * GiB) {
        std::lock_guard lock(mutex_);
        next_.totalBytes = 16 * GiB;
        next_.freeBytes = 4 * GiB;
        next_.level = level;
        next_.diskFreeBytes = diskFree;
        next_.diskTotalBytes = 500 * GiB;
    }
    void setGroups(std::vector<AppGroup> groups) {
        std::lock_guard lock(mutex_);
        groups_ = std::move(groups);
    }
    int samples() const {
        std::lock_guard lock(mutex_);
        return samples_;
    }

private:
    mutable std::mutex mutex_;
    MemorySnapshot next_;
    std::vector<AppGroup> groups_;
    int samples_{0};
};

/// Accepts or refuses quit requests per process and records them.
class RecordingTerminator final : public AppTerminating {
public:
    bool terminate(std::int32_t pid) override {
        std::lock_guard lock(mutex_);
        asked.push_back(pid);
        return !refusing.contains(pid);
    }
    std::mutex mutex_;
    std::vector<std::int32_t> asked;
    std::set<std::int32_t> refusing;
};

/// Returns whatever statuses the test set.
class ScriptedWatcher final : public AIWatching {
public:
    std::vector<AIToolStatus> statuses() override {
        std::lock_guard lock(mutex_);
        return next;
    }
    void set(std::vector<AIToolStatus> statuses) {
        std::lock_guard lock(mutex_);
        next = std::move(statuses);
    }

private:
    std::mutex mutex_;
    std::vector<AIToolStatus> next;
};

/// Records the jump actions and reports a fixed result.
class RecordingOpener final : public AppOpening {
public:
    void open(const std::string& url, const std::string& bundleID, Completion completion) override {
        actions.push_back(JumpAction{JumpAction::OpenURL{url, bundleID}});
        completion(succeeds);
    }
    void activate(const std::string& bundleID, Completion completion) override {
        actions.push_back(JumpAction{JumpAction::Activate{bundleID}});
        completion(succeeds);
    }
    std::vector<JumpAction> actions;
    bool succeeds{true};
};

/// A model on virtual time with scripted services; every queue runs on the manual executor.
struct ModelFixture {
    std::shared_ptr<ManualExecutor> main = std::make_shared<ManualExecutor>();
    std::shared_ptr<ScriptedProvider> provider = std::make_shared<ScriptedProvider>();
    std::shared_ptr<RecordingTerminator> terminator = std::make_shared<RecordingTerminator>();
    std::shared_ptr<ScriptedWatcher> watcher = std::make_shared<ScriptedWatcher>();
    std::shared_ptr<RecordingOpener> opener = std::make_shared<RecordingOpener>();
    std::shared_ptr<InMemoryPreferenceStore> prefs = std::make_shared<InMemoryPreferenceStore>();
    bool lowPower = false;
    PressureMonitor::OnChange pressureCallback;
    std::vector<WingsContent> wings;
    std::vector<AlertSpec> alerts;
    std::vector<std::int32_t> forced;
    std::vector<std::set<std::string>> scansWithRunning;
    DiskReport nextScan;
    std::vector<std::vector<DiskItem>> cleaned;
    DiskCleanReport nextClean;
    std::set<std::string> running{"org.example.App"};
    SessionLink nextLink{std::string("codex://threads/1"), "com.openai.codex", true};
    int memoryReturned = 0;
    std::shared_ptr<AppModel> model;

    explicit ModelFixture(bool isMock = false) {
        Prefs::registerDefaults(*prefs);
        provider->set(PressureLevel::normal);
        build(isMock);
    }

    void build(bool isMock) {
        AppModel::Services s;
        s.provider = provider;
        s.ai = watcher;
        s.terminator = terminator;
        s.forceTerminate = [this](std::int32_t pid) {
            forced.push_back(pid);
            return true;
        };
        s.runningIDs = [this] { return running; };
        s.diskScanner = [this](const std::set<std::string>& r) {
            scansWithRunning.push_back(r);
            return nextScan;
        };
        s.diskCleaner = [this](const std::vector<DiskItem>& items, const std::set<std::string>&) {
            cleaned.push_back(items);
            return nextClean;
        };
        s.linkResolver = [this](AIToolKind, const std::string&) { return nextLink; };
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

    void openIsland() {
        model->islandWillOpen();
        main->runUntilIdle();
    }
};

} // namespace corvane::test
