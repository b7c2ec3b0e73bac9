#include "support/ConcurrentPool.h"
#include "support/ParallelMap.h"
#include "support/SerialQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
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
