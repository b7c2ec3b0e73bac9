#pragma once

#include "disk/DiskCleanReport.h"
#include "disk/DiskItem.h"

#include <set>
#include <string>
#include <vector>

namespace corvane {

/// Moves chosen disk items to the Trash.
class DiskCleaning {
public:
    virtual ~DiskCleaning() = default;
    /// Moves `items` to the Trash, leaving those owned by an application in `running`; reports what
    /// moved. Blocking; any thread.
    virtual DiskCleanReport clean(const std::vector<DiskItem>& items, const std::set<std::string>& running) = 0;
};

} // namespace corvane
