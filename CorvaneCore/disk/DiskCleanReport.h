#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

/// What a clean did, per item, each list in the order the items were given.
struct DiskCleanReport {
    /// Items all of whose paths went to the Trash.
    std::vector<std::string> trashedItemIDs;
    /// Items for which at least one path was not moved.
    std::vector<std::string> failedItemIDs;
    /// Items not touched at all (not actionable, owner running, or a path failed the safety rules).
    std::vector<std::string> skippedItemIDs;
    /// Bytes freed into the Trash (a proportional share for partly moved items).
    std::uint64_t bytes{};

    bool operator==(const DiskCleanReport&) const = default;
};

} // namespace corvane
