#include "support/DiskSpaceCache.h"

#include "support/DeferredExecutor.h"
#include "support/ManualClock.h"

#include <gtest/gtest.h>

#include <atomic>

namespace corvane {
namespace {

using test::DeferredExecutor;
using test::ManualClock;

struct CountingReaders {
    std::atomic<int> syncCalls{0};
    std::atomic<int> refreshCalls{0};
    DiskSpace syncValue{100, 1000};
    std::optional<DiskSpace> refreshValue = DiskSpace{200, 1000};
};

struct Fixture {
    ManualClock clock;
    std::shared_ptr<DeferredExecutor> background = std::make_shared<DeferredExecutor>();
    std::shared_ptr<CountingReaders> readers = std::make_shared<CountingReaders>();
    std::shared_ptr<DiskSpaceCache> cache = std::make_shared<DiskSpaceCache>(
        [r = readers] {
            ++r->syncCalls;
            return r->syncValue;
        },
        [r = readers] {
            ++r->refreshCalls;
            return r->refreshValue;
        },
        background, clock.clock());
};

TEST(DiskSpaceCache, FirstReadIsSynchronousAndStartsOneRefresh) {
    Fixture f;
    EXPECT_EQ(f.cache->read(), (DiskSpace{100, 1000}));
    EXPECT_EQ(f.readers->syncCalls, 1);
    EXPECT_EQ(f.background->pending(), 1);
    EXPECT_TRUE(f.cache->refreshing());

    // While the refresh is in flight there is still no cache: synchronous again, no second refresh.
    EXPECT_EQ(f.cache->read(), (DiskSpace{100, 1000}));
    EXPECT_EQ(f.readers->syncCalls, 2);
    EXPECT_EQ(f.background->submitted(), 1);
}

TEST(DiskSpaceCache, FreshCacheAnswersWithoutPlatformCalls) {
    Fixture f;
    f.cache->read();
    f.background->runAll();
    EXPECT_FALSE(f.cache->refreshing());
    f.clock.advance(30); // exactly 30 s is still fresh
    EXPECT_EQ(f.cache->read(), (DiskSpace{200, 1000}));
    EXPECT_EQ(f.readers->syncCalls, 1);
    EXPECT_EQ(f.readers->refreshCalls, 1);
    EXPECT_EQ(f.background->submitted(), 1);
}

TEST(DiskSpaceCache, StaleCacheIsReturnedWhileOneRefreshRuns) {
    Fixture f;
    f.cache->read();
    f.background->runAll();
    f.clock.advance(31);
    f.readers->refreshValue = DiskSpace{300, 1000};
    EXPECT_EQ(f.cache->read(), (DiskSpace{200, 1000}));
    EXPECT_EQ(f.cache->read(), (DiskSpace{200, 1000}));
    EXPECT_EQ(f.background->submitted(), 2);
    EXPECT_EQ(f.readers->syncCalls, 1);
    f.background->runAll();
    EXPECT_EQ(f.cache->read(), (DiskSpace{300, 1000}));
    EXPECT_EQ(f.background->submitted(), 2);
}

TEST(DiskSpaceCache, FailedRefreshKeepsOldCacheAndAllowsRetry) {
    Fixture f;
    f.cache->read();
    f.background->runAll();
    f.clock.advance(31);
    f.readers->refreshValue = std::nullopt;
    f.cache->read();
    f.background->runAll();
    EXPECT_FALSE(f.cache->refreshing());
    EXPECT_EQ(f.cache->read(), (DiskSpace{200, 1000})); // still the old figures
    EXPECT_EQ(f.background->submitted(), 3);             // and the next call tried again
}

TEST(DiskSpaceCache, FailedFirstRefreshLeavesCacheAbsent) {
    Fixture f;
    f.readers->refreshValue = std::nullopt;
    f.cache->read();
    f.background->runAll();
    f.readers->syncValue = DiskSpace{7, 8};
    EXPECT_EQ(f.cache->read(), (DiskSpace{7, 8}));
    EXPECT_EQ(f.readers->syncCalls, 2);
}

TEST(DiskSpaceCache, RefreshAfterCacheIsGoneDoesNothing) {
    Fixture f;
    f.cache->read();
    f.cache.reset();
    EXPECT_EQ(f.background->runAll(), 1);
    EXPECT_EQ(f.readers->refreshCalls, 0);
}

} // namespace
} // namespace corvane
