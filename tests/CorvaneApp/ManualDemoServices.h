#pragma once

#include "app/DemoServices.h"
#include "support/ManualExecutor.h"

#include <memory>

namespace corvane::test {

/// The demonstration services of `mode` with every queue on the manual executor `main`, dated by
/// its clock, and `prefs`; AI sessions only with `aiSessions`.
inline AppModel::Services manualDemoServices(MockMode mode, const std::shared_ptr<ManualExecutor>& main,
                                             std::shared_ptr<PreferenceStore> prefs, bool aiSessions = true) {
    AppModel::Services s = demoServices(mode, main->clock(), aiSessions);
    s.prefs = std::move(prefs);
    s.main = main;
    s.queue = main;
    s.diskQueue = main;
    s.userInitiated = main;
    return s;
}

} // namespace corvane::test
