#pragma once

#include "apps/AppAccumulation.h"
#include "apps/AppGroup.h"
#include "apps/BundleInfo.h"
#include "apps/WindowFacts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The per-group lookups that building groups needs; each may be empty (then it yields nothing).
struct GroupLookups {
    /// Identifier and name of an application bundle.
    std::function<AppInfo(const std::string& bundlePath)> bundleInfo;
    /// The display name of an application identity.
    std::function<std::optional<std::string>(const std::string& identity)> displayNameOf;
    /// Idle seconds of an application identity.
    std::function<std::optional<double>(const std::string& identity)> idleSecondsOf;
};

/// One `AppGroup` per accumulator, in order, with `safety` left as `canQuit`. A bundle gives
/// identifier and name; otherwise the members' one identity (none when they have several) is the
/// identifier and its display name (else the executable's name) the name. Member identities
/// other than the identifier become `memberIdentities`. Regular and visible come from `windows`.
std::vector<AppGroup> buildAppGroups(const std::vector<AppAccumulator>& accumulators, const WindowFacts& windows,
                                     const GroupLookups& lookups);

} // namespace corvane
