#pragma once

#include "memory/PressureLevel.h"
#include "support/Date.h"

#include <cstdint>

namespace corvane {

/// One immutable sample of memory, swap and home-volume figures, in bytes.
struct MemorySnapshot {
    Date timestamp{};
    std::uint64_t totalBytes{};
    std::uint64_t appBytes{};
    std::uint64_t wiredBytes{};
    std::uint64_t compressedBytes{};
    std::uint64_t cachedBytes{};
    std::uint64_t freeBytes{};
    std::uint64_t swapUsedBytes{};
    std::uint64_t swapTotalBytes{};
    std::uint64_t diskFreeBytes{};
    std::uint64_t diskTotalBytes{};
    PressureLevel level{PressureLevel::normal};

    /// total − (cached + free), floored at 0.
    std::uint64_t usedBytes() const;
    /// usedBytes / totalBytes; 0 when totalBytes is 0.
    double usedFraction() const;

    bool operator==(const MemorySnapshot&) const = default;
};

} // namespace corvane

namespace corvane {

/// The used share as a whole percentage: round(usedFraction × 100), half away from zero;
/// 0 when total is 0 or when free plus cached exceed the total.
int usedPercent(const MemorySnapshot& snapshot);

} // namespace corvane
