#pragma once

#include "app/AppModel.h"
#include "prefs/PreferenceStore.h"
#include "support/Executor.h"
#include "support/MainExecutor.h"

#include <functional>
#include <memory>

namespace corvane {

/// The services of the running system, built in this one place for every front end: the
/// system's memory provider with an activity tracker and safety policy (the tracker is not
/// started), the AI watcher, the terminators, the running applications, the disk advisor and
/// cleaner of the platform's layout under the home folder, the session links and the system's
/// application opener, and the file manager's name. `background` is the bounded pool the memory
/// provider refreshes on; the provider makes its own when it is null. Executors and preferences
/// are left to the caller.
AppModel::Services liveServices(std::shared_ptr<Executor> background = nullptr);

/// The production model on `main`: the live services with the sampling and disk queues and a
/// two-thread pool for background refreshes and session jumps. `lowPowerMode` tells whether the
/// machine saves power (never, when absent).
std::shared_ptr<AppModel> makeLiveModel(std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs,
                                        std::function<bool()> lowPowerMode = {});

/// Hands the allocator's free memory back to the system. Walks the heap: call it off the
/// interface thread.
void returnFreeMemoryToSystem();

} // namespace corvane
