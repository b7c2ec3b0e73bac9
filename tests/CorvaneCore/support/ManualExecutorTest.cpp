// The virtual-time executor is what every time-based model test relies on, so its timer order
// and cancellation are checked here.
#include "support/ManualExecutor.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using test::ManualExecutor;

TEST(ManualExecutor, RepeatingAndOneShotTimersFireInTimeOrder) {
    ManualExecutor main;
    const Date start = main.now();
    std::vector<std::string> fired;
    auto every = main.every(10, 1, [&] { fired.push_back("every@" + std::to_string(int(secondsBetween(start, main.now())))); });
    auto once = main.after(15, [&] { fired.push_back("once@" + std::to_string(int(secondsBetween(start, main.now())))); });
    main.advance(35);
    EXPECT_EQ(fired, (std::vector<std::string>{"every@10", "once@15", "every@20", "every@30"}));
    EXPECT_EQ(secondsBetween(start, main.now()), 35);
    EXPECT_EQ(main.activeTimers(), 1);
}

TEST(ManualExecutor, CancelledOrDestroyedTimersNeverFire) {
    ManualExecutor main;
    int count = 0;
    auto a = main.every(1, 0, [&] { ++count; });
    {
        auto b = main.after(2, [&] { count += 100; });
    }
    main.advance(3);
    EXPECT_EQ(count, 3);
    a->cancel();
    a->cancel();
    main.advance(5);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(main.activeTimers(), 0);
}

TEST(ManualExecutor, TasksQueuedByTimersRunBeforeTheNextFiring) {
    ManualExecutor main;
    std::vector<int> order;
    auto t = main.every(1, 0, [&] {
        order.push_back(1);
        main.async([&] { order.push_back(2); });
    });
    main.advance(2);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2}));
}

TEST(ManualExecutor, TimerCancelledFromAnotherTimerDoesNotFire) {
    ManualExecutor main;
    std::unique_ptr<TimerHandle> victim;
    bool victimFired = false;
    auto killer = main.after(1, [&] { victim->cancel(); });
    victim = main.after(2, [&] { victimFired = true; });
    main.advance(5);
    EXPECT_FALSE(victimFired);
}

} // namespace
} // namespace corvane
