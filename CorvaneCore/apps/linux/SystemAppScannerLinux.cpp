#include "apps/SystemAppScanner.h"

#include "apps/AppAccumulation.h"
#include "apps/AppGroupBuilder.h"
#include "apps/BundleInfo.h"
#include "apps/ProcessIdentities.h"
#include "apps/linux/AppIdentity.h"
#include "apps/linux/DesktopEntry.h"
#include "apps/linux/ProcessTable.h"
#include "apps/linux/ScannedProcessTree.h"
#include "support/PathText.h"

#include <unordered_map>
#include <vector>

namespace corvane {

/// The per-application lookups, cached across scans.
struct SystemAppScanner::Lookups {
    BundleInfoCache bundleInfo;
    std::unique_ptr<DesktopNameCache> desktopNames;
};

SystemAppScanner::SystemAppScanner(Options options)
    : lookups_(std::make_unique<Lookups>()), procRoot_(joinPath(options.root, "proc")),
      activity_(std::move(options.activity)), safety_(std::move(options.safety)),
      windowFacts_(std::move(options.windowFacts)) {
    lookups_->desktopNames =
        std::make_unique<DesktopNameCache>(options.applicationDirectories.value_or(applicationDirectories()));
}

SystemAppScanner::SystemAppScanner() : SystemAppScanner(Options{}) {}

SystemAppScanner::~SystemAppScanner() = default;

std::vector<AppGroup> SystemAppScanner::topAppGroups(int limit) {
    if (limit <= 0) return {};
    std::vector<ScannedProcess> processes;
    processes.reserve(1024);
    ScannedProcessTree lineages(safety_.tree());
    const std::size_t listed = forEachProcess(procRoot_, [&](const ProcessEntry& process) {
        processes.push_back({process.pid, process.footprintBytes, std::string(process.executablePath), process.parent});
        if (process.parent && process.processGroup) lineages.add(process.pid, *process.parent, *process.processGroup);
    });
    if (listed == 0) return {};

    const WindowFacts windows = (windowFacts_ ? windowFacts_() : std::nullopt).value_or(WindowFacts{});
    std::unordered_map<std::int32_t, std::optional<AppUnit>> units;
    const auto unitOf = [&](std::int32_t pid) {
        auto [it, inserted] = units.try_emplace(pid);
        if (inserted) it->second = readAppUnit(pid, procRoot_);
        return it->second;
    };
    const auto identities = resolveIdentities(
        processes, [&](std::int32_t pid) { return windows.windowClassByPID.count(pid) != 0; },
        [&](std::int32_t pid) {
            const auto found = windows.windowClassByPID.find(pid);
            const auto windowClass = found == windows.windowClassByPID.end()
                                         ? std::nullopt
                                         : std::optional<std::string>(found->second);
            return processIdentity(pid, windowClass, lineages.parentOf(pid), unitOf);
        });
    AppAccumulation accumulation(processes.size());
    for (std::size_t i = 0; i < processes.size(); ++i) {
        accumulation.add(processes[i].pid, processes[i].footprintBytes, processes[i].executablePath, identities[i]);
    }
    accumulation.foldClones();
    const std::vector<AppAccumulator> kept = std::move(accumulation).ranked(limit);

    GroupLookups lookups;
    lookups.bundleInfo = [this](const std::string& path) { return lookups_->bundleInfo.appInfo(path); };
    lookups.displayNameOf = [this](const std::string& identity) { return lookups_->desktopNames->displayName(identity); };
    if (activity_) {
        lookups.idleSecondsOf = [this](const std::string& identity) { return activity_->idleSeconds(identity); };
    }
    std::vector<AppGroup> groups = buildAppGroups(kept, windows, lookups);

    const auto own = safety_.tree().lineage(safety_.selfPID());
    lineages.readTerminals(own && own->tty);
    return safety_.classify(std::move(groups), lineages);
}

} // namespace corvane
