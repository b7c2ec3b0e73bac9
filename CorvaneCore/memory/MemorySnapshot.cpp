#include "memory/MemorySnapshot.h"

#include <cmath>

namespace corvane {

std::uint64_t MemorySnapshot::usedBytes() const {
    // The sum is compared first so that neither the addition nor the subtraction can wrap.
    const std::uint64_t reclaimable = cachedBytes + freeBytes;
    if (reclaimable < cachedBytes || reclaimable >= totalBytes) return 0;
    return totalBytes - reclaimable;
}

double MemorySnapshot::usedFraction() const {
    if (totalBytes == 0) return 0.0;
    return static_cast<double>(usedBytes()) / static_cast<double>(totalBytes);
}

} // namespace corvane

namespace corvane {

int usedPercent(const MemorySnapshot& snapshot) {
    return static_cast<int>(std::lround(snapshot.usedFraction() * 100.0));
}

} // namespace corvane
