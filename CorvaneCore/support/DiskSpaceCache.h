#pragma once

#include "support/DiskSpace.h"
#include "support/Clock.h"
#include "support/Date.h"
#include "support/Executor.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace corvane {

/// The home volume's capacity, cached for 30 seconds and refreshed in the background.
///
/// The first reading (no cache yet) is made synchronously with `readNow` and starts one
/// background refresh. Later readings return the cached figures, even stale ones, and start a
/// refresh when the cache is older than 30 s. At most one refresh is ever in flight; a failed
/// refresh keeps the previous cache. Thread-safe; the lock is never held across a reading.
/// Create it with `std::make_shared`: a refresh holds it only weakly.
class DiskSpaceCache : public std::enable_shared_from_this<DiskSpaceCache> {
public:
    /// Reads the capacity synchronously; a failure yields (0, 0).
    using SyncReader = std::function<DiskSpace()>;
    /// Reads the capacity for the cache; absent on failure.
    using RefreshReader = std::function<std::optional<DiskSpace>()>;

    static constexpr double freshSeconds = 30.0;

    DiskSpaceCache(SyncReader readNow, RefreshReader readForCache, std::shared_ptr<Executor> background,
                   Clock clock);

    /// The figures for a sample (see the class comment).
    DiskSpace read();

    /// Whether a background refresh is in flight (for observers and tests).
    bool refreshing() const;

private:
    struct Entry {
        DiskSpace space;
        Date at;
    };

    void refresh();

    SyncReader readNow_;
    RefreshReader readForCache_;
    std::shared_ptr<Executor> background_;
    Clock clock_;

    mutable std::mutex mutex_;
    std::optional<Entry> cache_;
    bool refreshing_{false};
};

} // namespace corvane
