#pragma once

#include "apps/AppGroup.h"

#include <vector>

namespace corvane {

/// Where the running applications come from, grouped and judged. Callable from any thread; never
/// fails (an unreadable process table gives no groups); may block briefly on the file system.
class AppGroupScanning {
public:
    virtual ~AppGroupScanning() = default;
    /// At most `limit` application groups, largest footprint first; empty for limit <= 0.
    virtual std::vector<AppGroup> topAppGroups(int limit) = 0;
};

} // namespace corvane
