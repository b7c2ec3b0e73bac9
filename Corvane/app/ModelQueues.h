#pragma once

#include "app/AppModel.h"

#include <memory>

namespace corvane {

/// Completes `services` for a running program and builds the model on `main`: the preferences,
/// the "corvane.sampling" and "corvane.disk" queues, and `pool` for the work the user waits for.
std::shared_ptr<AppModel> makeModelWithQueues(AppModel::Services services, std::shared_ptr<MainExecutor> main,
                                              std::shared_ptr<PreferenceStore> prefs, std::shared_ptr<Executor> pool);

} // namespace corvane
