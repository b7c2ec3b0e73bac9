#pragma once

#include "apps/AppGroupScanning.h"
#include "memory/MemorySnapshot.h"

namespace corvane {

/// Where the model gets its memory samples and application lists. Both calls may be made from
/// any thread, never fail (failed readings become zeros) and may block briefly on the file system.
class MemoryProviding : public AppGroupScanning {
public:
    ~MemoryProviding() override = default;
    virtual MemorySnapshot memorySnapshot() = 0;
};

} // namespace corvane
