#pragma once

#include "apps/ActivityTracker.h"
#include "apps/SafetyPolicy.h"
#include "apps/WindowFacts.h"
#include "memory/DiskSpace.h"
#include "memory/DiskSpaceCache.h"
#include "memory/MemoryProviding.h"
#include "support/Clock.h"
#include "support/Executor.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The platform's memory, swap, pressure and home-volume readings, combined by the shared
/// arithmetic. Callable from any thread; every failed reading becomes zero or absent.
class SystemMemoryProvider final : public MemoryProviding {
public:
    struct Options {
        /// Root under which the platform's counter files are found: "/" on a live system, a
        /// folder of captured files in tests.
        std::string root = "/";
        /// The folder whose volume is measured; the user's home folder by default.
        std::string home;
        /// Runs the background capacity refresh; a private one-thread pool when absent.
        std::shared_ptr<Executor> background;
        Clock clock = systemClock();
        /// Front-most history for idle times; idle times are unknown without it.
        std::shared_ptr<ActivityTracker> activity;
        /// Judges every listed application group.
        SafetyPolicy safety{currentProcessID()};
        /// The window system's facts per scan; absent facts (no X server) leave every group
        /// not regular and without visible windows.
        std::function<std::optional<WindowFacts>()> windowFacts = readWindowFacts;
        /// Folders searched for desktop entries (display names); the XDG data folders when absent.
        std::optional<std::vector<std::string>> applicationDirectories;
    };

    /// Opens the counter files once (they are re-read on every sample) and reads the page size
    /// and physical memory.
    explicit SystemMemoryProvider(Options options);
    /// The live system with the default options.
    SystemMemoryProvider();
    ~SystemMemoryProvider() override;
    SystemMemoryProvider(const SystemMemoryProvider&) = delete;
    SystemMemoryProvider& operator=(const SystemMemoryProvider&) = delete;

    MemorySnapshot memorySnapshot() override;
    /// Walks every process this user may inspect under `root`/proc, groups them by application,
    /// keeps the `limit` largest before any per-group lookup, and judges them. Empty for
    /// limit <= 0 or an unreadable process table. Any thread.
    std::vector<AppGroup> topAppGroups(int limit) override;

    /// The home volume's figures: cached for 30 s, refreshed in the background.
    DiskSpace readDisk();
    /// The file-system statistics of `home`; (0, 0) when they cannot be read.
    static DiskSpace readStatfsDisk(const std::string& home);
    /// The capacity for the background cache; absent when it cannot be read.
    static std::optional<DiskSpace> readImportantUsageDisk(const std::string& home);

    std::uint64_t pageSize() const { return pageSize_; }
    std::uint64_t totalBytes() const { return totalBytes_; }

private:
    struct Counters;

    std::unique_ptr<Counters> counters_;
    std::uint64_t pageSize_{};
    std::uint64_t totalBytes_{};
    std::shared_ptr<DiskSpaceCache> diskCache_;
    Clock clock_;
    std::string procRoot_;
    std::shared_ptr<ActivityTracker> activity_;
    SafetyPolicy safety_;
    std::function<std::optional<WindowFacts>()> windowFacts_;
};

} // namespace corvane
