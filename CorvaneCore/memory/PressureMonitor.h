#pragma once

#include "memory/PressureLevel.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace corvane {

/// The three steps a platform pressure notifier can report.
struct PressureEventFlags {
    bool normal{false};
    bool warning{false};
    bool critical{false};
};

/// Reports each memory-pressure event of the operating system to one callback, so the model can
/// sample at once instead of waiting for its timer. Where the platform offers no notifier the
/// monitor simply never fires; periodic sampling still produces levels.
class PressureMonitor {
public:
    using OnChange = std::function<void(PressureLevel)>;

    /// `onChange` is called on a background thread, never the main one. `root` locates the
    /// platform's pressure files ("/" on a live system). Does not start monitoring.
    explicit PressureMonitor(OnChange onChange, std::string root = "/");
    /// Stops monitoring; after it returns `onChange` is not called again.
    ~PressureMonitor();
    PressureMonitor(const PressureMonitor&) = delete;
    PressureMonitor& operator=(const PressureMonitor&) = delete;

    /// Begins monitoring; does nothing while monitoring or when no notifier is available.
    void start();
    /// Ends monitoring; harmless when not monitoring. After it returns (unless called from the
    /// callback itself) `onChange` is not called again.
    void stop();
    /// Whether a notifier is installed.
    bool isMonitoring() const;

    /// critical when the flags contain critical, else elevated when they contain warning,
    /// else normal.
    static PressureLevel level(PressureEventFlags flags);

private:
    struct Source;

    OnChange onChange_;
    std::string root_;
    mutable std::mutex mutex_;
    std::unique_ptr<Source> source_;
};

} // namespace corvane
