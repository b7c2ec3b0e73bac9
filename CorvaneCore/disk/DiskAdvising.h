#pragma once

#include "disk/DiskReport.h"

namespace corvane {

/// Measures the known cache places under the home folder.
class DiskAdvising {
public:
    virtual ~DiskAdvising() = default;
    /// Measures everything and returns the report. Blocking (seconds); call off the main thread.
    virtual DiskReport scan() = 0;
};

} // namespace corvane
