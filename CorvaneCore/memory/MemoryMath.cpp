#include "memory/MemoryMath.h"

namespace corvane::MemoryMath {

namespace {

std::uint64_t flooredDifference(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

} // namespace

MemorySnapshot compute(const VMCounters& counters, std::uint64_t pageSize, std::uint64_t totalBytes,
                       std::uint64_t swapUsed, std::uint64_t swapTotal, std::uint64_t diskFree,
                       std::uint64_t diskTotal, std::optional<PressureLevel> level, Date timestamp) {
    MemorySnapshot s;
    s.timestamp = timestamp;
    s.totalBytes = totalBytes;
    s.appBytes = flooredDifference(counters.internalCount, counters.purgeableCount) * pageSize;
    s.wiredBytes = counters.wireCount * pageSize;
    s.compressedBytes = counters.compressorCount * pageSize;
    s.cachedBytes = (counters.externalCount + counters.purgeableCount) * pageSize;
    s.freeBytes = flooredDifference(counters.freeCount, counters.speculativeCount) * pageSize;
    s.swapUsedBytes = swapUsed;
    s.swapTotalBytes = swapTotal;
    s.diskFreeBytes = diskFree;
    s.diskTotalBytes = diskTotal;
    s.level = level.value_or(inferLevel(totalBytes, s.freeBytes, s.cachedBytes, swapUsed));
    return s;
}

PressureLevel inferLevel(std::uint64_t totalBytes, std::uint64_t freeBytes, std::uint64_t cachedBytes,
                         std::uint64_t swapUsed) {
    if (totalBytes == 0) return PressureLevel::normal;
    const double total = static_cast<double>(totalBytes);
    const double available = (static_cast<double>(freeBytes) + static_cast<double>(cachedBytes)) / total;
    if (available < criticalAvailableFraction) return PressureLevel::critical;
    if (available < elevatedAvailableFraction) return PressureLevel::elevated;
    if (available < swapPressureAvailableFraction && static_cast<double>(swapUsed) / total >= swapPressureFraction) {
        return PressureLevel::elevated;
    }
    return PressureLevel::normal;
}

PressureLevel level(std::int32_t fromKernel) {
    if (fromKernel < 2) return PressureLevel::normal;
    if (fromKernel <= 3) return PressureLevel::elevated;
    return PressureLevel::critical;
}

} // namespace corvane::MemoryMath
