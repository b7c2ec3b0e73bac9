#pragma once

#include "apps/ActivityTracker.h"
#include "apps/AppGroupScanning.h"
#include "apps/SafetyPolicy.h"
#include "apps/WindowFacts.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The running applications of this machine: every process this user may inspect, grouped by
/// application, ranked by footprint and judged by the safety policy. Callable from any thread.
class SystemAppScanner final : public AppGroupScanning {
public:
    struct Options {
        /// Root under which the process table is found: "/" on a live system, a folder of
        /// captured files in tests.
        std::string root = "/";
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

    explicit SystemAppScanner(Options options);
    /// The live system with the default options.
    SystemAppScanner();
    ~SystemAppScanner() override;
    SystemAppScanner(const SystemAppScanner&) = delete;
    SystemAppScanner& operator=(const SystemAppScanner&) = delete;

    /// Walks every process this user may inspect under `root`/proc, groups them by application,
    /// keeps the `limit` largest before any per-group lookup, and judges them. Empty for
    /// limit <= 0 or an unreadable process table.
    std::vector<AppGroup> topAppGroups(int limit) override;

private:
    struct Lookups;

    std::unique_ptr<Lookups> lookups_;
    std::string procRoot_;
    std::shared_ptr<ActivityTracker> activity_;
    SafetyPolicy safety_;
    std::function<std::optional<WindowFacts>()> windowFacts_;
};

} // namespace corvane
