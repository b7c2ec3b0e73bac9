#include "support/ConcurrentPool.h"
#include "support/ParallelMap.h"
#include "support/SerialQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace corvane {
namespace {

TEST(ParallelMap, ResultsKeepInputOrderWithAnyWorkerCount) {
    std::vector<int> items(200);
    for (int i = 0; i < 200; ++i) items[i] = i;
    for (const int workers : {0, 1, 6, 100}) {
        const auto squares = parallelMap(items, workers, [](int x) {
            std::this_thread::yield();
            return x * x;
        });
        ASSERT_EQ(squares.size(), 200U) << workers;
        for (int i = 0; i < 200; ++i) EXPECT_EQ(squares[i], i * i) << workers;
    }
    EXPECT_TRUE(parallelMap(std::vector<int>{}, 4, [](int x) { return x; }).empty());
    const auto odd = parallelMap(std::vector<int>{1, 2, 3, 4, 5}, 3, [](int x) { return x % 2 == 1; });
    EXPECT_EQ(odd, (std::vector<bool>{true, false, true, false, true}));
}

std::size_t threadsUsed(int workers, int items) {
    std::mutex mutex;
    std::set<std::thread::id> ids;
    std::atomic<int> arrived{0};
    std::vector<int> input(static_cast<std::size_t>(items), 0);
    parallelMap(input, workers, [&](int) {
        {
            std::lock_guard lock(mutex);
            ids.insert(std::this_thread::get_id());
        }
        // Hold every worker until all expected ones have started, so each takes one item.
        ++arrived;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (arrived < std::min(std::max(workers, 1), items) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        return 0;
    });
    return ids.size();
}

TEST(ParallelMap, WorkerCountIsBoundedByItemsAndAtLeastOne) {
    EXPECT_EQ(threadsUsed(0, 3), 1U);
    EXPECT_EQ(threadsUsed(6, 2), 2U);
    EXPECT_EQ(threadsUsed(3, 10), 3U);
}

TEST(SerialQueue, RunsTasksOneAtATimeInOrder) {
    SerialQueue queue("test");
    std::vector<int> order;
    std::atomic<int> concurrent{0};
    std::atomic<bool> overlapped{false};
    std::promise<void> done;
    for (int i = 0; i < 50; ++i) {
        queue.async([&, i] {
            if (++concurrent > 1) overlapped = true;
            order.push_back(i);
            --concurrent;
            if (i == 49) done.set_value();
        });
    }
    done.get_future().wait();
    EXPECT_FALSE(overlapped);
    ASSERT_EQ(order.size(), 50U);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[i], i);
}

TEST(SerialQueue, ThrowingTaskDoesNotStopTheQueue) {
    SerialQueue queue("test");
    std::promise<int> result;
    queue.async([] { throw std::runtime_error("boom"); });
    queue.async([&] { result.set_value(7); });
    EXPECT_EQ(result.get_future().get(), 7);
}

TEST(ConcurrentPool, NeverRunsMoreThanItsWidth) {
    std::atomic<int> running{0};
    std::atomic<int> peak{0};
    std::atomic<int> finished{0};
    {
        ConcurrentPool pool(2);
        for (int i = 0; i < 20; ++i) {
            pool.async([&] {
                const int now = ++running;
                int seen = peak.load();
                while (now > seen && !peak.compare_exchange_weak(seen, now)) {
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                --running;
                ++finished;
            });
        }
        while (finished < 20) std::this_thread::yield();
    }
    EXPECT_EQ(peak.load(), 2);
}

TEST(ConcurrentPool, BlockedTaskDoesNotBlockTheOtherSlot) {
    ConcurrentPool pool(2);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    pool.async([released] { released.wait(); });
    std::promise<int> other;
    pool.async([&] { other.set_value(1); });
    EXPECT_EQ(other.get_future().get(), 1);
    release.set_value();
}

/// Waits up to two seconds for `condition`.
template <class Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

TEST(ConcurrentPool, StartsOneThreadPerWaitingTaskUpToItsWidthAndEndsThemWhenIdle) {
    ConcurrentPool pool(4, std::chrono::milliseconds(300));
    EXPECT_EQ(pool.threadCount(), 0U);
    for (int i = 0; i < 5; ++i) { // one task at a time needs one thread, kept while work comes
        std::promise<void> done;
        pool.async([&done] { done.set_value(); });
        done.get_future().wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(10)); // the thread waits for work again
        EXPECT_EQ(pool.threadCount(), 1U);
    }
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> started{0};
    for (int i = 0; i < 6; ++i) {
        pool.async([&started, released] {
            ++started;
            released.wait();
        });
    }
    EXPECT_TRUE(eventually([&] { return started == 4; }));
    EXPECT_EQ(pool.threadCount(), 4U);
    release.set_value();
    EXPECT_TRUE(eventually([&] { return started == 6; }));
    EXPECT_TRUE(eventually([&] { return pool.threadCount() == 0; }));
}

// A task may arrive just as an idle thread gives up; it must run all the same, on that thread or
// a new one, and the pool must stay within its width.
TEST(ConcurrentPool, TaskArrivingAroundTheIdleExpiryAlwaysRuns) {
    constexpr auto expiry = std::chrono::microseconds(2000);
    const struct {
        double gapInExpiries;
        int burst;
    } arrivals[] = {{0.0, 1}, {0.5, 2}, {0.9, 1}, {1.0, 1}, {1.0, 3}, {1.1, 2}, {1.5, 1}, {3.0, 3}};
    ConcurrentPool pool(2, std::chrono::duration_cast<std::chrono::milliseconds>(expiry));
    for (const auto& arrival : arrivals) {
        for (int round = 0; round < 40; ++round) {
            std::atomic<int> ran{0};
            pool.async([&ran] { ++ran; });
            ASSERT_TRUE(eventually([&] { return ran == 1; }));
            std::this_thread::sleep_for(
                std::chrono::duration_cast<std::chrono::microseconds>(expiry * arrival.gapInExpiries));
            for (int i = 0; i < arrival.burst; ++i) pool.async([&ran] { ++ran; });
            ASSERT_TRUE(eventually([&] { return ran == 1 + arrival.burst; }))
                << "gap " << arrival.gapInExpiries << " burst " << arrival.burst << " round " << round;
            ASSERT_LE(pool.threadCount(), 2U);
        }
    }
    EXPECT_TRUE(eventually([&] { return pool.threadCount() == 0; }));
}

TEST(ConcurrentPool, IdleExpiryFromTheEnvironmentIsAPositiveWholeNumberOfMilliseconds) {
    using std::chrono::milliseconds;
    const struct {
        const char* text;
        std::optional<milliseconds> expiry;
    } cases[] = {{nullptr, std::nullopt},  {"", std::nullopt},         {"250", milliseconds(250)},
                 {"0", std::nullopt},      {"-5", std::nullopt},       {"5ms", std::nullopt},
                 {" 5", std::nullopt},     {"86400000", milliseconds(86'400'000)},
                 {"86400001", std::nullopt}, {"99999999999999999999", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(ConcurrentPool::parseIdleExpiry(c.text), c.expiry) << (c.text ? c.text : "(unset)");
    }
}

} // namespace
// A background step can own the last reference to the pool it runs on (a cache refreshed on a
// private pool outliving its owner); ending the pool there must not try to join that thread.
TEST(ConcurrentPool, TaskHoldingTheLastReferenceEndsThePoolOnItsOwnThread) {
    for (int run = 0; run < 50; ++run) {
        auto pool = std::make_shared<ConcurrentPool>(2);
        const std::weak_ptr<ConcurrentPool> weak = pool;
        std::promise<void> release;
        pool->async([owner = pool, go = release.get_future().share()] { go.wait(); });
        pool.reset(); // the waiting task's closure is now the last owner
        release.set_value();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!weak.expired() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        ASSERT_TRUE(weak.expired()) << "run " << run;
    }
}

} // namespace corvane
