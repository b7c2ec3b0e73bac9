#pragma once

#include "disk/DiskCleanReport.h"
#include "disk/DiskItem.h"
#include "disk/DiskLayout.h"
#include "disk/Trashing.h"

#include <set>
#include <string>
#include <vector>

/// Moves chosen items to the Trash after re-checking each of them. Stateless.
namespace corvane::DiskCleaner {

/// Trashes every path of each actionable item whose owners are not in `runningBundleIDs` and
/// whose paths all lie in an allowed place of `layout` below `home` (textually and after
/// resolving symbolic links); every other item is skipped untouched. An item with a failed move
/// is reported as failed, with its bytes counted in proportion to the paths moved. Blocking; runs
/// on the caller's thread and calls `trasher` once per path, in order.
DiskCleanReport clean(const std::vector<DiskItem>& items, Trashing& trasher,
                      const std::set<std::string>& runningBundleIDs, const std::string& home,
                      const DiskLayout& layout = currentLayout());

} // namespace corvane::DiskCleaner
