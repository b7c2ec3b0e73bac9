#include "app/DemoServices.h"

#include "app/ModelQueues.h"
#include "app/demo/DemoAIWatcher.h"
#include "app/demo/DemoAppOpener.h"
#include "app/demo/DemoDiskAdvisor.h"
#include "app/demo/DemoDiskCleaner.h"
#include "app/demo/DemoMemoryProvider.h"
#include "app/demo/DemoRunningApps.h"
#include "app/demo/DemoSessionLinks.h"
#include "app/demo/DemoTerminator.h"
#include "support/ConcurrentPool.h"

namespace corvane {

AppModel::Services demoServices(MockMode mode, Clock clock, bool aiSessions) {
    auto provider = std::make_shared<DemoMemoryProvider>(mode, clock);
    const MemorySnapshot sample = provider->memorySnapshot();
    auto disk = std::make_shared<DemoDiskAdvisors>(sample.diskFreeBytes, sample.diskTotalBytes, clock);
    auto terminator = std::make_shared<DemoTerminator>(provider);

    AppModel::Services s;
    s.provider = provider;
    s.ai = std::make_shared<DemoAIWatcher>(std::move(clock), aiSessions);
    s.terminator = terminator;
    s.forceTerminator = terminator;
    s.running = std::make_shared<DemoRunningApps>(provider);
    s.diskAdvisors = disk;
    s.diskCleaner = std::make_shared<DemoDiskCleaner>(disk);
    s.links = std::make_shared<DemoSessionLinks>();
    s.opener = std::make_shared<DemoAppOpener>();
    s.fileManagerName = "文件管理器";
    s.isMock = true;
    return s;
}

std::shared_ptr<AppModel> makeDemoModel(MockMode mode, std::shared_ptr<MainExecutor> main,
                                        std::shared_ptr<PreferenceStore> prefs, bool aiSessions) {
    AppModel::Services s = demoServices(mode, [main] { return main->now(); }, aiSessions);
    return makeModelWithQueues(std::move(s), std::move(main), std::move(prefs), std::make_shared<ConcurrentPool>(1));
}

} // namespace corvane
