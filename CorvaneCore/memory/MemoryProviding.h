#pragma once

#include "apps/AppGroup.h"
#include "memory/MemorySnapshot.h"

#include <vector>

namespace corvane {

/// Where the model gets its memory samples and application lists. Both calls may be made from
/// any thread, never fail (failed readings become zeros) and may block briefly on the file system.
class MemoryProviding {
public:
    virtual ~MemoryProviding() = default;
    virtual MemorySnapshot memorySnapshot() = 0;
    /// At most `limit` application groups, largest footprint first.
    virtual std::vector<AppGroup> topAppGroups(int limit) = 0;
};

} // namespace corvane
