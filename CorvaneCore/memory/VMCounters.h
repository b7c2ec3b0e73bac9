#pragma once

#include <cstdint>

namespace corvane {

/// Page counts of one virtual-memory sample. `freeCount` includes the speculative pages.
struct VMCounters {
    std::uint64_t freeCount{};
    std::uint64_t speculativeCount{};
    std::uint64_t internalCount{};
    std::uint64_t externalCount{};
    std::uint64_t purgeableCount{};
    std::uint64_t wireCount{};
    std::uint64_t compressorCount{};

    bool operator==(const VMCounters&) const = default;
};

} // namespace corvane
