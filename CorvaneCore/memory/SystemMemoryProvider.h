#pragma once

#include "memory/MemoryProviding.h"
#include "support/Clock.h"
#include "support/DiskSpace.h"
#include "support/DiskSpaceCache.h"
#include "support/Executor.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

/// The platform's memory, swap, pressure and home-volume readings, combined by the shared
/// arithmetic, and the running applications of an injected scanner. Callable from any thread;
/// every failed reading becomes zero or absent.
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
        /// Lists the running applications; no applications are listed without it.
        std::shared_ptr<AppGroupScanning> apps;
    };

    /// Opens the counter files once (they are re-read on every sample) and reads the page size
    /// and physical memory.
    explicit SystemMemoryProvider(Options options);
    /// The live system with the default options (and so no application list).
    SystemMemoryProvider();
    ~SystemMemoryProvider() override;
    SystemMemoryProvider(const SystemMemoryProvider&) = delete;
    SystemMemoryProvider& operator=(const SystemMemoryProvider&) = delete;

    MemorySnapshot memorySnapshot() override;
    /// The scanner's groups; empty without a scanner.
    std::vector<AppGroup> topAppGroups(int limit) override;

    /// The home volume's figures: cached for 30 s, refreshed in the background; zeros until
    /// they could be read once.
    DiskSpace readDisk();

    std::uint64_t pageSize() const { return pageSize_; }
    std::uint64_t totalBytes() const { return totalBytes_; }

private:
    struct Counters;

    std::unique_ptr<Counters> counters_;
    std::uint64_t pageSize_{};
    std::uint64_t totalBytes_{};
    std::shared_ptr<DiskSpaceCache> diskCache_;
    Clock clock_;
    std::shared_ptr<AppGroupScanning> apps_;
};

} // namespace corvane
