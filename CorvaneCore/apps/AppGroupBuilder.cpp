#include "apps/AppGroupBuilder.h"

#include <algorithm>

namespace corvane {

namespace {

bool anyIn(const std::vector<std::int32_t>& pids, const std::set<std::int32_t>& set) {
    return std::any_of(pids.begin(), pids.end(), [&](std::int32_t pid) { return set.count(pid) != 0; });
}

} // namespace

std::vector<AppGroup> buildAppGroups(const std::vector<AppAccumulator>& accumulators, const WindowFacts& windows,
                                     const GroupLookups& lookups) {
    std::vector<AppGroup> groups;
    groups.reserve(accumulators.size());
    for (const AppAccumulator& acc : accumulators) {
        AppGroup group;
        group.name = acc.execName;
        if (acc.appPath && lookups.bundleInfo) {
            AppInfo info = lookups.bundleInfo(*acc.appPath);
            group.bundleID = std::move(info.bundleID);
            group.name = std::move(info.name);
        }
        if (!group.bundleID && acc.identities.size() == 1) {
            group.bundleID = acc.identities.front();
            if (!acc.appPath && lookups.displayNameOf) {
                if (auto name = lookups.displayNameOf(*group.bundleID)) group.name = std::move(*name);
            }
        }
        for (const std::string& identity : acc.identities) {
            if (identity != group.bundleID) group.memberIdentities.push_back(identity);
        }
        group.isRegularApp = anyIn(acc.pids, windows.regularPIDs);
        group.hasVisibleWindow = anyIn(acc.pids, windows.visiblePIDs);
        if (group.bundleID && lookups.idleSecondsOf) group.idleSeconds = lookups.idleSecondsOf(*group.bundleID);
        group.id = group.bundleID ? *group.bundleID : group.name;
        group.pids = acc.pids;
        std::sort(group.pids.begin(), group.pids.end());
        group.footprintBytes = acc.bytes;
        groups.push_back(std::move(group));
    }
    return groups;
}

} // namespace corvane
