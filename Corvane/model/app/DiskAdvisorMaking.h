#pragma once

#include "disk/DiskAdvising.h"

#include <memory>
#include <set>
#include <string>

namespace corvane {

/// Makes the disk advisor for one scan.
class DiskAdvisorMaking {
public:
    virtual ~DiskAdvisorMaking() = default;
    /// An advisor that treats the applications in `running` (captured just before the scan) as
    /// running. Any thread; the advisor's scan runs on the disk queue.
    virtual std::unique_ptr<DiskAdvising> advisor(const std::set<std::string>& running) = 0;
};

} // namespace corvane
