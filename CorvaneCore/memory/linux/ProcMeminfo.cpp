#include "memory/linux/ProcMeminfo.h"

#include <algorithm>
#include <charconv>

namespace corvane {

namespace {

std::string_view trimmedLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::optional<std::uint64_t> leadingNumber(std::string_view s) {
    s = trimmedLeft(s);
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end == s.data()) return std::nullopt;
    return value;
}

std::uint64_t flooredDifference(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

} // namespace

MeminfoFields parseMeminfo(std::string_view text) {
    MeminfoFields f;
    struct Key {
        std::string_view name;
        std::optional<std::uint64_t> MeminfoFields::*field;
    };
    static constexpr Key keys[] = {
        {"MemTotal", &MeminfoFields::memTotal},   {"MemFree", &MeminfoFields::memFree},
        {"MemAvailable", &MeminfoFields::memAvailable}, {"Buffers", &MeminfoFields::buffers},
        {"Cached", &MeminfoFields::cached},       {"SwapTotal", &MeminfoFields::swapTotal},
        {"SwapFree", &MeminfoFields::swapFree},   {"AnonPages", &MeminfoFields::anonPages},
        {"Shmem", &MeminfoFields::shmem},         {"Zswap", &MeminfoFields::zswap},
    };
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);

        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view name = line.substr(0, colon);
        for (const Key& key : keys) {
            if (key.name != name) continue;
            if (auto kib = leadingNumber(line.substr(colon + 1))) f.*key.field = *kib * 1024;
            break;
        }
    }
    return f;
}

LinuxMemoryReading memoryReading(const MeminfoFields& f, std::uint64_t zramBytes, std::uint64_t pageSize) {
    const std::uint64_t total = f.memTotal.value_or(0);
    const std::uint64_t memFree = f.memFree.value_or(0);
    const std::uint64_t available =
        f.memAvailable ? *f.memAvailable : memFree + f.cached.value_or(0) + f.buffers.value_or(0);
    const std::uint64_t freeBytes = std::min(memFree, available);
    const std::uint64_t cachedBytes = available - freeBytes;
    const std::uint64_t usedBytes = flooredDifference(total, available);
    const std::uint64_t appBytes = f.anonPages.value_or(0) + f.shmem.value_or(0);
    const std::uint64_t compressedBytes = f.zswap.value_or(0) + zramBytes;
    const std::uint64_t wiredBytes = flooredDifference(usedBytes, appBytes + compressedBytes);

    const std::uint64_t page = pageSize == 0 ? 1 : pageSize;
    LinuxMemoryReading r;
    r.counters.freeCount = freeBytes / page;
    r.counters.internalCount = appBytes / page;
    r.counters.externalCount = cachedBytes / page;
    r.counters.wireCount = wiredBytes / page;
    r.counters.compressorCount = compressedBytes / page;
    r.swapTotal = f.swapTotal.value_or(0);
    r.swapUsed = flooredDifference(r.swapTotal, f.swapFree.value_or(0));
    return r;
}

std::uint64_t zramMemUsedTotal(std::string_view mmStat) {
    // mm_stat: orig_data_size compr_data_size mem_used_total mem_limit ...
    for (int field = 0; field < 2; ++field) {
        mmStat = trimmedLeft(mmStat);
        const std::size_t gap = mmStat.find_first_of(" \t");
        if (gap == std::string_view::npos) return 0;
        mmStat.remove_prefix(gap);
    }
    return leadingNumber(mmStat).value_or(0);
}

} // namespace corvane
