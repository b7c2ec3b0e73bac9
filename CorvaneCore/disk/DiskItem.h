#pragma once

#include "disk/DiskRisk.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// One reclaimable (or merely informative) finding of a disk scan. Plain value, safe to copy
/// between threads.
struct DiskItem {
    /// Stable identifier within and across scans; selections are sets of these.
    std::string id;
    std::string title;
    /// One sentence; ends with the approximation mark when the size is a lower bound.
    std::string detail;
    /// Allocated bytes of everything in `paths` (for an informative item: of what it describes).
    std::uint64_t bytes{};
    DiskRisk risk{DiskRisk::safe};
    /// Applications that own the data; cleaning is refused while one of them runs.
    std::vector<std::string> ownerBundleIDs;
    /// Absolute, standardized paths that cleaning would move to the Trash; empty when informative.
    std::vector<std::string> paths;
    /// Present when the item is shown but cannot be cleaned now: the reason shown to the user.
    std::optional<std::string> blockedReason;
    /// Shown for information only; never cleaned.
    bool isInfoOnly{false};

    /// Not blocked and not informative: only such items may be selected, counted or cleaned.
    bool isActionable() const { return !blockedReason && !isInfoOnly; }

    bool operator==(const DiskItem&) const = default;
};

/// The mark that ends the detail of an item whose size is only a lower bound.
inline constexpr std::string_view approximateMark = "（估算，约值）";

} // namespace corvane
