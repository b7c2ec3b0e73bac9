#pragma once

#include "disk/DiskMeasure.h"
#include "support/Date.h"
#include "support/ParallelMap.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

/// Allocated-size measurement of files and folders, bounded in time. No instances, no shared
/// state: every operation may run on many threads at once.
namespace corvane::DiskSizer {

/// The allocated size of `path` and, for a folder, of everything below it (blocks on disk, hard
/// links counted once per link, symbolic links never followed: a link itself measures as empty).
/// The walk checks the clock every 256 entries and stops, marking the result approximate, once
/// `budget` seconds have passed or the wall-clock `deadline` is reached. `trackMTime` fills
/// `newestMTime`; `abortIfNewerThan` stops at the first non-directory entry modified after it
/// and sets `foundNewer`. A folder that cannot be opened or listed is skipped and makes the
/// result approximate; a missing path gives the empty measure. Any depth is walked without
/// recursion and with a small, fixed number of open descriptors.
DiskMeasure measure(const std::string& path, double budget, std::optional<Date> deadline = std::nullopt,
                    bool trackMTime = false, std::optional<Date> abortIfNewerThan = std::nullopt);

/// `transform` applied to every item with up to `workers` threads (0 counts as 1, never more than
/// items), results in item order. Blocks until all are done; `transform` must be thread-safe.
template <typename Item, typename Transform>
auto parallelMap(const std::vector<Item>& items, int workers, Transform&& transform) {
    return corvane::parallelMap(items, workers, std::forward<Transform>(transform));
}

/// True when `path` itself is a symbolic link; false when it is not or cannot be examined.
bool isSymlink(const std::string& path);

} // namespace corvane::DiskSizer
