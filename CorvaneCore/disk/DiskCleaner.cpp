#include "disk/DiskCleaner.h"

#include "disk/DiskWhitelist.h"

#include <algorithm>

namespace corvane::DiskCleaner {

DiskCleanReport clean(const std::vector<DiskItem>& items, Trashing& trasher,
                      const std::set<std::string>& runningBundleIDs, const std::string& home,
                      const DiskLayout& layout) {
    DiskCleanReport report;
    for (const DiskItem& item : items) {
        const bool ownerRuns = std::any_of(item.ownerBundleIDs.begin(), item.ownerBundleIDs.end(),
                                           [&](const std::string& owner) { return runningBundleIDs.count(owner) != 0; });
        const bool pathsAllowed = std::all_of(item.paths.begin(), item.paths.end(), [&](const std::string& path) {
            return DiskWhitelist::allowsCleaning(path, home, layout);
        });
        if (!item.isActionable() || item.paths.empty() || ownerRuns || !pathsAllowed) {
            report.skippedItemIDs.push_back(item.id);
            continue;
        }
        std::uint64_t moved = 0;
        for (const std::string& path : item.paths) {
            if (trasher.trash(path)) ++moved;
        }
        if (moved == item.paths.size()) {
            report.trashedItemIDs.push_back(item.id);
            report.bytes += item.bytes;
        } else {
            report.failedItemIDs.push_back(item.id);
            report.bytes += item.bytes / item.paths.size() * moved;
        }
    }
    return report;
}

} // namespace corvane::DiskCleaner
