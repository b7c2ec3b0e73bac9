#pragma once

#include "app/MockMode.h"
#include "memory/MemoryProviding.h"
#include "support/Clock.h"

#include <mutex>
#include <set>

namespace corvane {

/// Canned memory figures and running applications for one `MockMode`: a 16 GB machine that is
/// comfortable (ok), tight (warn) or out of memory (bad), with a browser, 微信, an editor and a
/// few idle applications judged by the real safety rules. Reads nothing from the machine.
/// Applications that were asked to quit are left out of later lists. Any thread.
class DemoMemoryProvider final : public MemoryProviding {
public:
    DemoMemoryProvider(MockMode mode, Clock clock);

    MemorySnapshot memorySnapshot() override;
    std::vector<AppGroup> topAppGroups(int limit) override;

    /// The application owning `pid` is gone from now on; false when no listed application owns it.
    bool quit(std::int32_t pid);

private:
    const MockMode mode_;
    const Clock clock_;
    const std::vector<AppGroup> groups_;
    std::mutex mutex_; // guards quit_
    std::set<std::int32_t> quit_;
};

} // namespace corvane
