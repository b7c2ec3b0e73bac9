#pragma once

#include "memory/MemoryProviding.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace corvane::test {

inline constexpr std::uint64_t GiB = 1ULL << 30;

/// Hands out the snapshot set by `set` and the first `limit` of `groups`; counts samples. Not
/// thread-safe.
class ScriptedMemoryProvider final : public MemoryProviding {
public:
    MemorySnapshot memorySnapshot() override {
        ++samples;
        return next_;
    }
    std::vector<AppGroup> topAppGroups(int limit) override {
        return {groups.begin(), groups.begin() + std::min<std::ptrdiff_t>(limit, std::ssize(groups))};
    }
    /// The next samples: 4 of 16 GiB free at `level`, `diskFree` bytes free on a 500 GiB disk.
    void set(PressureLevel level, std::uint64_t diskFree = 100 * GiB) {
        next_.totalBytes = 16 * GiB;
        next_.freeBytes = 4 * GiB;
        next_.level = level;
        next_.diskFreeBytes = diskFree;
        next_.diskTotalBytes = 500 * GiB;
    }
    std::vector<AppGroup> groups;
    int samples{0};

private:
    MemorySnapshot next_;
};

} // namespace corvane::test
