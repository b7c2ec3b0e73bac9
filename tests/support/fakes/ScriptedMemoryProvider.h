#pragma once

#include "memory/MemoryProviding.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace corvane::test {

inline constexpr std::uint64_t GiB = 1ULL << 30;

/// Hands out the snapshot and groups the test sets and counts samples. Thread-safe.
class ScriptedMemoryProvider final : public MemoryProviding {
public:
    MemorySnapshot memorySnapshot() override {
        std::lock_guard lock(mutex_);
        ++samples_;
        return next_;
    }
    std::vector<AppGroup> topAppGroups(int limit) override {
        std::lock_guard lock(mutex_);
        std::vector<AppGroup> groups = groups_;
        if (static_cast<int>(groups.size()) > limit) groups.resize(static_cast<std::size_t>(limit));
        return groups;
    }
    /// The next samples: 4 of 16 GiB free at `level`, `diskFree` bytes free on a 500 GiB disk.
    void set(PressureLevel level, std::uint64_t diskFree = 100 * GiB) {
        std::lock_guard lock(mutex_);
        next_.totalBytes = 16 * GiB;
        next_.freeBytes = 4 * GiB;
        next_.level = level;
        next_.diskFreeBytes = diskFree;
        next_.diskTotalBytes = 500 * GiB;
    }
    void setGroups(std::vector<AppGroup> groups) {
        std::lock_guard lock(mutex_);
        groups_ = std::move(groups);
    }
    int samples() const {
        std::lock_guard lock(mutex_);
        return samples_;
    }

private:
    mutable std::mutex mutex_;
    MemorySnapshot next_;
    std::vector<AppGroup> groups_;
    int samples_{0};
};

} // namespace corvane::test
