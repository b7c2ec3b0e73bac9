#pragma once

#include "memory/VMCounters.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

/// The /proc/meminfo fields the memory sample needs, in bytes; absent when the key is missing.
struct MeminfoFields {
    std::optional<std::uint64_t> memTotal, memFree, memAvailable, buffers, cached;
    std::optional<std::uint64_t> swapTotal, swapFree, anonPages, shmem, zswap;

    bool operator==(const MeminfoFields&) const = default;
};

/// Parses the text of /proc/meminfo ("Key:   123 kB" lines). Unknown keys and malformed lines
/// are skipped.
MeminfoFields parseMeminfo(std::string_view text);

/// Counters shaped so that the shared arithmetic yields the usual Linux figures:
/// used = MemTotal − MemAvailable, free = min(MemFree, MemAvailable), cached = the rest of
/// MemAvailable, app = AnonPages + Shmem, compressed = Zswap + `zramBytes`, wired = what remains
/// of used. A missing MemAvailable is estimated as MemFree + Cached + Buffers; other missing
/// keys count as 0.
struct LinuxMemoryReading {
    VMCounters counters;
    std::uint64_t swapUsed{};
    std::uint64_t swapTotal{};

    bool operator==(const LinuxMemoryReading&) const = default;
};
LinuxMemoryReading memoryReading(const MeminfoFields& fields, std::uint64_t zramBytes, std::uint64_t pageSize);

/// The `mem_used_total` figure (third field, bytes) of a zram device's `mm_stat`; 0 when malformed.
std::uint64_t zramMemUsedTotal(std::string_view mmStat);

} // namespace corvane
