#include "support/RunLoop.h"

#include <gtest/gtest.h>

#include <thread>

namespace corvane {
namespace {

TEST(RunLoop, RunsTasksAndTimersOnItsThreadUntilStopped) {
    RunLoop loop;
    std::vector<std::string> events;
    int ticks = 0;
    std::unique_ptr<TimerHandle> every;
    std::unique_ptr<TimerHandle> once;
    loop.async([&] { events.push_back("task"); });
    every = loop.every(0.005, 0, [&] {
        if (++ticks == 3) {
            every->cancel();
            events.push_back("three ticks");
            once = loop.after(0.005, [&] {
                events.push_back("after");
                loop.stop();
            });
        }
    });
    loop.run();
    EXPECT_EQ(events, (std::vector<std::string>{"task", "three ticks", "after"}));
    EXPECT_EQ(ticks, 3);
}

TEST(RunLoop, StopFromAnotherThreadEndsRunAndCancelledTimersNeverFire) {
    RunLoop loop;
    bool fired = false;
    auto timer = loop.after(0.01, [&] { fired = true; });
    timer.reset(); // destroying the handle cancels
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        loop.stop();
    });
    loop.run();
    stopper.join();
    EXPECT_FALSE(fired);
    loop.run(); // already stopped: returns at once
}

TEST(RunLoop, HandleOutlivingTheLoopIsHarmless) {
    std::unique_ptr<TimerHandle> handle;
    {
        RunLoop loop;
        handle = loop.every(1, 0, [] {});
    }
    handle->cancel();
    SUCCEED();
}

} // namespace
} // namespace corvane
