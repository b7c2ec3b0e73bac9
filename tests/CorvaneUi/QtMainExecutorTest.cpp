#include "QtMainExecutor.h"
#include "RunEvents.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using test::runEventsFor;
using test::runEventsUntil;

TEST(QtMainExecutor, WorkFromEightThreadsRunsOnTheMainThreadInPostingOrderPerThread) {
    constexpr int threads = 8;
    constexpr int tasksPerThread = 300;
    QtMainExecutor executor;
    const auto mainThread = std::this_thread::get_id();
    std::vector<std::vector<int>> ran(threads); // touched on the main thread only
    std::atomic<int> offMain{0};
    {
        std::vector<std::jthread> posters;
        for (int t = 0; t < threads; ++t) {
            posters.emplace_back([&, t] {
                for (int i = 0; i < tasksPerThread; ++i) {
                    executor.async([&, t, i] {
                        if (std::this_thread::get_id() != mainThread) ++offMain;
                        ran[t].push_back(i);
                    });
                }
            });
        }
    }
    int total = 0;
    ASSERT_TRUE(runEventsUntil([&] {
        total = 0;
        for (const auto& list : ran)
            total += static_cast<int>(list.size());
        return total == threads * tasksPerThread;
    })) << total
        << " tasks ran";
    EXPECT_EQ(offMain.load(), 0);
    for (int t = 0; t < threads; ++t) {
        for (int i = 0; i < tasksPerThread; ++i)
            ASSERT_EQ(ran[t][i], i) << "thread " << t;
    }
}

TEST(QtMainExecutor, WorkStillQueuedWhenTheExecutorGoesIsDropped) {
    bool ran = false;
    auto executor = std::make_unique<QtMainExecutor>();
    executor->async([&] { ran = true; });
    std::jthread([&] { executor->async([&] { ran = true; }); }).join();
    std::unique_ptr<TimerHandle> outliving = executor->every(0.001, 0, [&] { ran = true; });
    executor.reset();
    runEventsFor(50);
    EXPECT_FALSE(ran);
    outliving->cancel(); // a handle that outlives its executor cancels harmlessly
    outliving.reset();
}

TEST(QtMainExecutor, TimersFireAndStopOnCancelOrHandleDestruction) {
    QtMainExecutor executor;
    int once = 0;
    int repeating = 0;
    int cancelledInAction = 0;
    int resetInAction = 0;
    int cancelledEarly = 0;
    int droppedEarly = 0;
    const auto onceHandle = executor.after(0.005, [&] { ++once; });
    const auto repeatingHandle = executor.every(0.005, 0, [&] { ++repeating; });
    std::unique_ptr<TimerHandle> cancelling;
    cancelling = executor.every(0.005, 0.001, [&] {
        if (++cancelledInAction == 3) cancelling->cancel();
    });
    std::unique_ptr<TimerHandle> resetting;
    resetting = executor.every(0.005, 0, [&] {
        if (++resetInAction == 2) resetting.reset();
    });
    const auto early = executor.every(0.005, 0, [&] { ++cancelledEarly; });
    early->cancel();
    early->cancel();
    executor.after(0.005, [&] { ++droppedEarly; }).reset();

    ASSERT_TRUE(runEventsUntil([&] { return repeating >= 10; }));
    runEventsFor(50);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(cancelledInAction, 3);
    EXPECT_EQ(resetInAction, 2);
    EXPECT_EQ(resetting, nullptr);
    EXPECT_EQ(cancelledEarly, 0);
    EXPECT_EQ(droppedEarly, 0);
    cancelling->cancel(); // again, after the action cancelled it
}

TEST(QtMainExecutor, RepeatingTimersAreCoarseOnlyWhereTheLeewayAllowsQtsDrift) {
    struct Row {
        double interval;
        double leeway;
        Qt::TimerType type;
    };
    const Row rows[] = {
        {1, 0.2, Qt::CoarseTimer}, {45, 8, Qt::CoarseTimer},      {5, 1, Qt::CoarseTimer},  {90, 8, Qt::CoarseTimer},
        {50, 8, Qt::CoarseTimer},  {2, 0.2, Qt::CoarseTimer},     {1, 0, Qt::PreciseTimer}, {100, 1, Qt::PreciseTimer},
        {20, 1, Qt::CoarseTimer},  {20, 0.999, Qt::PreciseTimer},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(timerTypeFor(row.interval, row.leeway), row.type) << row.interval << " s, leeway " << row.leeway;
    }
}

} // namespace
} // namespace corvane
