#include "app/AppModel.h"

#include "AIWatcher.h"
#include "SessionLinkResolver.h"
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
#include "support/SerialQueue.h"

#include <malloc.h>

namespace corvane {

std::shared_ptr<AppModel> AppModel::live(std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs) {
    const std::string home = homeDirectory();
    auto activity = std::make_shared<ActivityTracker>(makeSystemFrontmostWatcher());
    auto background = std::make_shared<ConcurrentPool>(2);

    SystemAppScanner::Options apps;
    apps.activity = activity;
    SystemMemoryProvider::Options memory;
    memory.apps = std::make_shared<SystemAppScanner>(std::move(apps));
    memory.background = background;

    auto forceTerminator = std::make_shared<PidfdForceTerminator>();

    Services s;
    s.provider = std::make_shared<SystemMemoryProvider>(std::move(memory));
    s.ai = std::make_shared<AIWatcher>();
    s.terminator = std::make_shared<X11AppTerminator>();
    s.forceTerminate = [forceTerminator](std::int32_t pid) { return forceTerminator->forceTerminate(pid); };
    s.runningIDs = runningApplicationIDs;
    s.diskScanner = [home](const std::set<std::string>& running) {
        return SystemDiskAdvisor(home, [running] { return running; }, systemClock()).scan();
    };
    s.diskCleaner = [home](const std::vector<DiskItem>& items, const std::set<std::string>& running) {
        HomeTrashMover trasher(home, HomeTrashMover::trashDirectoryFor(home));
        return DiskCleaner::clean(items, trasher, running, home);
    };
    s.linkResolver = freshSessionLinkLookup(home);
    s.opener = makeSystemAppOpener();
    s.frontmostBundleID = [activity] { return activity->frontmost(); };
    s.returnFreeMemory = [] { ::malloc_trim(0); };
    s.fileManagerName = "文件管理器";
    s.prefs = std::move(prefs);
    s.main = std::move(main);
    s.queue = std::make_shared<SerialQueue>("corvane.sampling");
    s.diskQueue = std::make_shared<SerialQueue>("corvane.disk");
    s.userInitiated = background;
    s.makePressureMonitor = [](PressureMonitor::OnChange onChange) {
        return std::make_unique<PressureMonitor>(std::move(onChange));
    };
    s.activity = activity;
    return create(std::move(s));
}

} // namespace corvane
