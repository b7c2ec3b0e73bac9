#include "apps/RunningApplicationIDs.h"

#include "apps/WindowFacts.h"
#include "apps/linux/AppIdentity.h"
#include "apps/linux/ProcessTable.h"

namespace corvane {

std::set<std::string> runningApplicationIDs() {
    std::set<std::string> ids;
    forEachProcess("/proc", [&](const ProcessEntry& process) {
        if (auto unit = readAppUnit(process.pid)) ids.insert(std::move(unit->applicationID));
    });
    if (const auto windows = readWindowFacts()) {
        for (const auto& [pid, windowClass] : windows->windowClassByPID) ids.insert(windowClass);
    }
    return ids;
}

} // namespace corvane
