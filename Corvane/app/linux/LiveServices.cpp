#include "app/LiveServices.h"

#include "AIWatcher.h"
#include "SessionLinkResolver.h"
#include "app/ModelQueues.h"
#include "apps/FrontmostWatching.h"
#include "apps/RunningApplicationIDs.h"
#include "apps/SystemAppOpener.h"
#include "apps/SystemAppScanner.h"
#include "apps/linux/PidfdForceTerminator.h"
#include "apps/linux/X11AppTerminator.h"
#include "disk/DiskCleaner.h"
#include "disk/SystemDiskAdvisor.h"
#include "disk/linux/HomeTrashMover.h"
#include "memory/SystemMemoryProvider.h"
#include "support/ConcurrentPool.h"
#include "support/HomeDirectory.h"

#include <malloc.h>

namespace corvane {

namespace {

class SystemRunningApps final : public RunningAppListing {
public:
    std::set<std::string> runningIDs() override { return runningApplicationIDs(); }
};

class HomeDiskAdvisors final : public DiskAdvisorMaking {
public:
    explicit HomeDiskAdvisors(std::string home) : home_(std::move(home)) {}
    std::unique_ptr<DiskAdvising> advisor(const std::set<std::string>& running) override {
        return std::make_unique<SystemDiskAdvisor>(home_, [running] { return running; }, systemClock());
    }

private:
    const std::string home_;
};

class HomeTrashCleaner final : public DiskCleaning {
public:
    explicit HomeTrashCleaner(std::string home) : home_(std::move(home)) {}
    DiskCleanReport clean(const std::vector<DiskItem>& items, const std::set<std::string>& running) override {
        HomeTrashMover trasher(home_, HomeTrashMover::trashDirectoryFor(home_));
        return DiskCleaner::clean(items, trasher, running, home_);
    }

private:
    const std::string home_;
};

class FreshSessionLinks final : public SessionLinkResolving {
public:
    explicit FreshSessionLinks(const std::string& home) : lookup_(freshSessionLinkLookup(home)) {}
    SessionLink link(AIToolKind tool, const std::string& sessionID) override { return lookup_(tool, sessionID); }

private:
    const SessionLinkLookup lookup_;
};

} // namespace

AppModel::Services liveServices(std::shared_ptr<Executor> background) {
    const std::string home = homeDirectory();
    auto activity = std::make_shared<ActivityTracker>(makeSystemFrontmostWatcher());

    SystemAppScanner::Options apps;
    apps.activity = activity;
    SystemMemoryProvider::Options memory;
    memory.apps = std::make_shared<SystemAppScanner>(std::move(apps));
    memory.background = std::move(background);

    AppModel::Services s;
    s.provider = std::make_shared<SystemMemoryProvider>(std::move(memory));
    s.ai = std::make_shared<AIWatcher>();
    s.terminator = std::make_shared<X11AppTerminator>();
    s.forceTerminator = std::make_shared<PidfdForceTerminator>();
    s.running = std::make_shared<SystemRunningApps>();
    s.diskAdvisors = std::make_shared<HomeDiskAdvisors>(home);
    s.diskCleaner = std::make_shared<HomeTrashCleaner>(home);
    s.links = std::make_shared<FreshSessionLinks>(home);
    s.opener = makeSystemAppOpener();
    s.returnFreeMemory = returnFreeMemoryToSystem;
    s.fileManagerName = "文件管理器";
    s.activity = std::move(activity);
    return s;
}

std::shared_ptr<AppModel> makeLiveModel(std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs,
                                        std::function<bool()> lowPowerMode) {
    auto background = std::make_shared<ConcurrentPool>(2);
    AppModel::Services s = liveServices(background);
    s.lowPowerMode = std::move(lowPowerMode);
    s.makePressureMonitor = [](PressureMonitor::OnChange onChange) {
        return std::make_unique<PressureMonitor>(std::move(onChange));
    };
    return makeModelWithQueues(std::move(s), std::move(main), std::move(prefs), std::move(background));
}

void returnFreeMemoryToSystem() { ::malloc_trim(0); }

} // namespace corvane
