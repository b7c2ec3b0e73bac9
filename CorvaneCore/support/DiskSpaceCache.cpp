#include "support/DiskSpaceCache.h"

namespace corvane {

DiskSpaceCache::DiskSpaceCache(SyncReader readNow, RefreshReader readForCache, std::shared_ptr<Executor> background,
                               Clock clock)
    : readNow_(std::move(readNow)), readForCache_(std::move(readForCache)), background_(std::move(background)),
      clock_(std::move(clock)) {}

DiskSpace DiskSpaceCache::read() {
    std::optional<Entry> copy;
    bool startRefresh = false;
    {
        std::lock_guard lock(mutex_);
        copy = cache_;
        const bool fresh = copy && secondsBetween(copy->at, clock_()) <= freshSeconds;
        if (!fresh && !refreshing_) {
            refreshing_ = true;
            startRefresh = true;
        }
    }
    if (startRefresh) {
        background_->async([weak = weak_from_this()] {
            if (auto self = weak.lock()) self->refresh();
        });
    }
    if (!copy) return readNow_();
    return copy->space;
}

void DiskSpaceCache::refresh() {
    std::optional<DiskSpace> reading;
    try {
        reading = readForCache_();
    } catch (...) {
        reading.reset();
    }
    const Date now = clock_();
    std::lock_guard lock(mutex_);
    if (reading) cache_ = Entry{*reading, now};
    refreshing_ = false;
}

bool DiskSpaceCache::refreshing() const {
    std::lock_guard lock(mutex_);
    return refreshing_;
}

} // namespace corvane
