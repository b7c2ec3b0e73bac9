#include "app/demo/DemoDiskCleaner.h"

#include <algorithm>

namespace corvane {

DiskCleanReport DemoDiskCleaner::clean(const std::vector<DiskItem>& items, const std::set<std::string>& running) {
    DiskCleanReport report;
    for (const DiskItem& item : items) {
        const bool ownerRuns = std::any_of(item.ownerBundleIDs.begin(), item.ownerBundleIDs.end(),
                                           [&](const std::string& owner) { return running.count(owner) != 0; });
        if (!item.isActionable() || ownerRuns) {
            report.skippedItemIDs.push_back(item.id);
            continue;
        }
        report.trashedItemIDs.push_back(item.id);
        report.bytes += item.bytes;
    }
    advisors_->forget(report.trashedItemIDs);
    return report;
}

} // namespace corvane
