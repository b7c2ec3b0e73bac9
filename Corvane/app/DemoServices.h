#pragma once

#include "app/AppModel.h"
#include "app/MockMode.h"
#include "prefs/PreferenceStore.h"
#include "support/Clock.h"
#include "support/MainExecutor.h"

#include <memory>

namespace corvane {

/// The demonstration services of `mode`: canned memory, applications, AI sessions and disk
/// scans, with terminators and a cleaner that only pretend. Nothing on the machine is read or
/// changed. `clock` dates the samples and sessions; without `aiSessions` no AI tool runs.
/// Executors and preferences are left to the caller.
AppModel::Services demoServices(MockMode mode, Clock clock = systemClock(), bool aiSessions = true);

/// A demonstration model on `main` (`isMock` set): the demonstration services of `mode`, dated by
/// `main`'s clock, with the same queues as the production model and no pressure listener.
std::shared_ptr<AppModel> makeDemoModel(MockMode mode, std::shared_ptr<MainExecutor> main,
                                        std::shared_ptr<PreferenceStore> prefs, bool aiSessions = true);

} // namespace corvane
