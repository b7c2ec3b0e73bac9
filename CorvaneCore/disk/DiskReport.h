#pragma once

#include "disk/DiskItem.h"
#include "support/Date.h"

#include <cstdint>
#include <vector>

namespace corvane {

/// The result of one disk scan.
struct DiskReport {
    /// Free bytes of the volume holding the home folder.
    std::uint64_t freeBytes{};
    /// Capacity of that volume.
    std::uint64_t totalBytes{};
    /// Findings by `bytes` descending, equal sizes by `id` ascending (plain byte order).
    std::vector<DiskItem> items;
    /// Wall-clock time at which the scan started.
    Date scannedAt{};
    /// Duration of the scan in monotonic seconds.
    double scanSeconds{};

    /// Sum of `bytes` over the actionable items.
    std::uint64_t reclaimableBytes() const;
    /// freeBytes / totalBytes; 0 when totalBytes is 0.
    double freeFraction() const;

    bool operator==(const DiskReport&) const = default;
};

} // namespace corvane
