#pragma once

#include "support/Date.h"

#include <cstdint>
#include <optional>

namespace corvane {

/// The size of one measured path. A fresh measure is all zero, false and absent.
struct DiskMeasure {
    /// Allocated bytes counted so far.
    std::uint64_t bytes{};
    /// Entries counted; the measured path itself counts as one.
    std::int64_t files{};
    /// The walk stopped because its budget or deadline ran out, or a folder in it could not be
    /// opened or listed; `bytes` is a lower bound.
    bool approximate{false};
    /// Newest modification time among non-directory entries, when tracking was asked for.
    std::optional<Date> newestMTime;
    /// The walk stopped at an entry newer than the caller's limit.
    bool foundNewer{false};

    bool operator==(const DiskMeasure&) const = default;
};

} // namespace corvane
