#include "apps/ActivityTracker.h"

#include "support/ManualClock.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

/// A window system whose front-most application and activations the test controls.
class FakeWatcher final : public FrontmostWatching {
public:
    struct Token final : Observation {
        explicit Token(FakeWatcher& owner) : owner(owner) {}
        ~Token() override { owner.handler = nullptr; }
        FakeWatcher& owner;
    };

    std::optional<std::string> frontmostIdentity() override { return front; }
    std::unique_ptr<Observation> observe(ActivationHandler h) override {
        ++observations;
        handler = std::move(h);
        return std::make_unique<Token>(*this);
    }

    std::optional<std::string> front;
    ActivationHandler handler;
    int observations{0};
};

/// A tracker without a window system, on a manual clock.
struct ActivityTrackerOnClock : ::testing::Test {
    test::ManualClock clock;
    ActivityTracker tracker{nullptr, clock.clock()};
};

TEST_F(ActivityTrackerOnClock, FrontmostIsZeroLeftIsElapsedNeverIsUnknown) {
    tracker.record("editor");
    EXPECT_EQ(tracker.idleSeconds("editor"), 0.0);
    EXPECT_EQ(tracker.idleSeconds("browser"), std::nullopt);
    tracker.record("browser");
    clock.advance(600);
    EXPECT_DOUBLE_EQ(*tracker.idleSeconds("editor"), 600);
    EXPECT_EQ(tracker.idleSeconds("browser"), 0.0);
}

TEST_F(ActivityTrackerOnClock, ReactivatingCurrentApplicationRecordsNothing) {
    tracker.record("editor");
    tracker.record("browser");
    clock.advance(100);
    tracker.record("browser");
    clock.advance(50);
    EXPECT_DOUBLE_EQ(*tracker.idleSeconds("editor"), 150);
}

TEST_F(ActivityTrackerOnClock, ActivationWithoutIdentityEndsCurrentApplication) {
    tracker.record("editor");
    clock.advance(10);
    tracker.record(std::nullopt);
    clock.advance(5);
    EXPECT_DOUBLE_EQ(*tracker.idleSeconds("editor"), 5);
}

TEST_F(ActivityTrackerOnClock, ClockGoingBackwardsGivesZeroNotNegative) {
    tracker.record("editor");
    tracker.record("browser");
    clock.advance(-30);
    EXPECT_EQ(tracker.idleSeconds("editor"), 0.0);
}

TEST(ActivityTracker, StartTakesFrontmostAndObservesOnce) {
    test::ManualClock clock;
    auto watcher = std::make_shared<FakeWatcher>();
    watcher->front = "terminal";
    ActivityTracker tracker(watcher, clock.clock());
    tracker.start();
    tracker.start();
    EXPECT_EQ(watcher->observations, 1);
    EXPECT_EQ(tracker.idleSeconds("terminal"), 0.0);
    ASSERT_TRUE(watcher->handler);
    clock.advance(42);
    watcher->handler("editor");
    EXPECT_DOUBLE_EQ(*tracker.idleSeconds("terminal"), 0);
    clock.advance(8);
    EXPECT_DOUBLE_EQ(*tracker.idleSeconds("terminal"), 8);
    tracker.stop();
    EXPECT_FALSE(watcher->handler) << "stop ends the observation";
}

TEST(ActivityTracker, StartWithoutFrontmostLeavesCurrentUnchanged) {
    auto watcher = std::make_shared<FakeWatcher>();
    ActivityTracker tracker(watcher);
    tracker.record("editor");
    tracker.start();
    EXPECT_EQ(tracker.idleSeconds("editor"), 0.0);
}

TEST(ActivityTracker, DestructionEndsObservation) {
    auto watcher = std::make_shared<FakeWatcher>();
    {
        ActivityTracker tracker(watcher);
        tracker.start();
        EXPECT_TRUE(watcher->handler);
    }
    EXPECT_FALSE(watcher->handler);
}

} // namespace
} // namespace corvane
