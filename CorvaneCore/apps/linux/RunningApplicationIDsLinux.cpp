#include "apps/RunningApplicationIDs.h"

#include "ai/AIToolKind.h"
#include "apps/ProcessScanner.h"
#include "apps/WindowFacts.h"
#include "apps/linux/AppIdentity.h"
#include "apps/linux/ProcessTable.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

/// Adds `id` and its lower-case form: window classes are capitalised ("Google-chrome") while the
/// owners they are compared with are desktop IDs ("google-chrome").
void insertWithLowerCase(std::set<std::string>& ids, std::string id) {
    std::string lower = id;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    ids.insert(std::move(lower));
    ids.insert(std::move(id));
}

} // namespace

std::set<std::string> runningApplicationIDs() {
    std::set<std::string> ids;
    forEachProcess("/proc", [&](const ProcessEntry& process) {
        if (auto unit = readAppUnit(process.pid)) insertWithLowerCase(ids, std::move(unit->applicationID));
    });
    if (const auto windows = readWindowFacts()) {
        for (const auto& [pid, windowClass] : windows->windowClassByPID) insertWithLowerCase(ids, windowClass);
    }
    // Command-line tools have neither an application unit nor a window; they are known by name.
    const std::set<std::string> names = ProcessScanner::runningProcessNames();
    for (const AIToolKind tool : allAIToolKinds) {
        const auto owner = ownerBundleID(tool);
        if (owner && names.count(std::string(processName(tool))) != 0) ids.emplace(*owner);
    }
    return ids;
}

} // namespace corvane
