#include "support/TimedTask.h"
#include "support/ConcurrentPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>

namespace corvane {
namespace {

using namespace std::chrono_literals;

TEST(TimedTask, WaiterGivesUpAtTheDeadlineWhileTheWorkGoesOn) {
    ConcurrentPool pool(2);
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::atomic<bool> finished{false};
    auto task = TimedTask<int>::start(pool, [opened, &finished] {
        opened.wait();
        finished = true;
        return std::optional<int>(7);
    });
    EXPECT_FALSE(task->wait(std::chrono::steady_clock::now() + 20ms));
    EXPECT_FALSE(task->waitForOutcome(std::chrono::steady_clock::now() + 20ms).finished);
    EXPECT_FALSE(finished);
    gate.set_value();
    // Every waiter, early or late, sees the value once it is there.
    EXPECT_EQ(task->wait(std::chrono::steady_clock::now() + 10s), 7);
    EXPECT_EQ(task->wait(std::chrono::steady_clock::now()), 7);
    EXPECT_EQ(task->wait(), 7);
}

TEST(TimedTask, EmptyOrThrowingWorkYieldsNothing) {
    ConcurrentPool pool(1);
    auto empty = TimedTask<int>::start(pool, [] { return std::optional<int>(); });
    auto throwing = TimedTask<int>::start(pool, []() -> std::optional<int> { throw std::runtime_error("disk"); });
    EXPECT_FALSE(empty->wait());
    EXPECT_FALSE(throwing->wait());
    // Finished without a result, as opposed to not finished in time.
    const auto outcome = throwing->waitForOutcome(std::chrono::steady_clock::now() + 10s);
    EXPECT_TRUE(outcome.finished);
    EXPECT_FALSE(outcome.value);
}

} // namespace
} // namespace corvane
