#include "app/AppModel.h"

#include "ModelFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::GiB;
using test::ModelFixture;

/// Samples (seconds waited before each, level) and the tints of the notices they raise: a rise
/// alerts at most once per five minutes, a fall never, the first sample only in a demonstration.
struct PressureRun {
    const char* name;
    bool isMock;
    std::vector<std::pair<double, PressureLevel>> samples;
    std::vector<WingsContent::Tint> notices;
};

class AppModelPressureRuns : public ::testing::TestWithParam<PressureRun> {};

TEST_P(AppModelPressureRuns, RaiseTheExpectedNotices) {
    ModelFixture f(GetParam().isMock);
    for (const auto& [wait, level] : GetParam().samples) {
        f.main->advance(wait);
        f.sample(level);
    }
    std::vector<WingsContent::Tint> tints;
    for (const WingsContent& wings : f.wings) tints.push_back(wings.tint);
    EXPECT_EQ(tints, GetParam().notices);
}

constexpr auto normal = PressureLevel::normal;
constexpr auto elevated = PressureLevel::elevated;
constexpr auto critical = PressureLevel::critical;
constexpr auto orange = WingsContent::Tint::orange;

INSTANTIATE_TEST_SUITE_P(
    Table, AppModelPressureRuns,
    ::testing::Values(
        PressureRun{"FirstSampleIsQuiet", false, {{0, elevated}}, {}},
        PressureRun{"FirstSampleAlertsInDemonstration", true, {{0, elevated}}, {orange}},
        PressureRun{"RisesWithinFiveMinutesAlertOnce", false, {{0, normal}, {0, elevated}, {100, critical}}, {orange}},
        PressureRun{"FallsNeverAlert", false, {{0, normal}, {0, critical}, {0, elevated}}, {WingsContent::Tint::red}},
        PressureRun{"NewRiseAfterFiveMinutesAlerts", false,
                    {{0, normal}, {0, critical}, {0, normal}, {299, elevated}, {0, normal}, {1, elevated}},
                    {WingsContent::Tint::red, orange}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppModelPressureAlerts, DisabledOrPausedAlertsLeaveTheWindowUntouched) {
    ModelFixture f;
    f.sample(PressureLevel::normal);
    Prefs::set(*f.prefs, Prefs::alertMemory, false);
    f.sample(PressureLevel::critical);
    f.sample(PressureLevel::normal);
    Prefs::set(*f.prefs, Prefs::alertMemory, true);
    Prefs::set(*f.prefs, Prefs::notchEnabled, false);
    f.sample(PressureLevel::elevated);
    f.sample(PressureLevel::normal);
    Prefs::set(*f.prefs, Prefs::notchEnabled, true);
    f.model->toggleQuiet();
    EXPECT_TRUE(f.model->paused());
    f.sample(PressureLevel::elevated);
    f.sample(PressureLevel::normal);
    EXPECT_TRUE(f.wings.empty());
    f.model->toggleQuiet(); // a second toggle ends the pause
    EXPECT_FALSE(f.model->paused());
    f.sample(PressureLevel::critical); // no earlier notice was counted, so this one shows at once
    ASSERT_EQ(f.wings.size(), 1U);
    EXPECT_EQ(f.wings[0].symbol, Symbol::stopFilled);
}

TEST(AppModelDiskAlerts, HourlyWhileLowAndPersisted) {
    ModelFixture f;
    const std::uint64_t low = static_cast<std::uint64_t>(14.9 * static_cast<double>(GiB));
    f.sample(PressureLevel::normal, low);
    ASSERT_EQ(f.wings.size(), 1U);
    EXPECT_EQ(f.wings[0].focus, WingsFocus::disk);
    EXPECT_DOUBLE_EQ(Prefs::value(*f.prefs, Prefs::lastDiskAlert), unixSeconds(f.main->now()));
    f.main->advance(59 * 60);
    f.sample(PressureLevel::normal, low);
    EXPECT_EQ(f.wings.size(), 1U);
    f.main->advance(60);
    f.sample(PressureLevel::normal, low);
    EXPECT_EQ(f.wings.size(), 2U);
}

TEST(AppModelDiskAlerts, BoundariesAndZero) {
    ModelFixture f;
    f.sample(PressureLevel::normal, 15 * GiB);
    f.sample(PressureLevel::normal, 0);
    EXPECT_TRUE(f.wings.empty());
    f.sample(PressureLevel::normal, 15 * GiB - 1);
    EXPECT_EQ(f.wings.size(), 1U);
}

TEST(AppModelDiskAlerts, PersistedTimeSurvivesARestartAndMockDoesNotPersist) {
    ModelFixture f;
    f.sample(PressureLevel::normal, 10 * GiB);
    ASSERT_EQ(f.wings.size(), 1U);
    f.main->advance(1800);
    f.build(false); // a new model over the same preferences
    f.sample(PressureLevel::normal, 10 * GiB);
    EXPECT_EQ(f.wings.size(), 1U);

    ModelFixture mock(true);
    mock.sample(PressureLevel::normal, 10 * GiB);
    EXPECT_EQ(mock.wings.size(), 1U);
    EXPECT_EQ(Prefs::value(*mock.prefs, Prefs::lastDiskAlert), 0.0);
}

TEST(AppModelTimers, IntervalsFollowIslandAndLowPower) {
    ModelFixture f;
    f.model->start();
    f.main->runUntilIdle();
    const int afterStart = f.provider->samples;
    EXPECT_EQ(afterStart, 1);
    f.main->advance(44.9);
    EXPECT_EQ(f.provider->samples, afterStart);
    f.main->advance(0.1);
    EXPECT_EQ(f.provider->samples, afterStart + 1);

    f.model->islandWillOpen(); // samples at once, then every second
    f.main->advance(3);
    EXPECT_EQ(f.provider->samples, afterStart + 1 + 1 + 3);

    f.model->islandWillCollapse();
    f.lowPower = true;
    f.model->powerStateChanged();
    const int before = f.provider->samples;
    f.main->advance(89);
    EXPECT_EQ(f.provider->samples, before);
    f.main->advance(1);
    EXPECT_EQ(f.provider->samples, before + 1);
}

TEST(AppModelTimers, SuspendStopsTimersAndResumeSamplesAtOnce) {
    ModelFixture f;
    f.model->start();
    f.main->runUntilIdle();
    f.model->suspend();
    f.model->suspend();
    EXPECT_EQ(f.main->activeTimers(), 0);
    const int before = f.provider->samples;
    f.main->advance(600);
    EXPECT_EQ(f.provider->samples, before);
    f.model->resume(); // one resume after two suspends resumes
    f.main->runUntilIdle();
    EXPECT_EQ(f.provider->samples, before + 1);
    EXPECT_GT(f.main->activeTimers(), 0);
}

TEST(AppModelTimers, PressureEventSamplesAtOnce) {
    ModelFixture f;
    f.model->start();
    f.main->runUntilIdle();
    ASSERT_TRUE(f.pressureCallback);
    const int before = f.provider->samples;
    f.pressureCallback(PressureLevel::critical);
    f.main->runUntilIdle();
    EXPECT_EQ(f.provider->samples, before + 1);
}

TEST(AppModelObservation, UnchangedValuesNotifyNobody) {
    ModelFixture f;
    std::vector<AppModel::Field> changes;
    auto subscription = f.model->observe([&](AppModel::Field field) { changes.push_back(field); });
    f.sample(PressureLevel::elevated);
    EXPECT_EQ(changes, (std::vector<AppModel::Field>{AppModel::Field::snapshot, AppModel::Field::verdict}));
    changes.clear();
    f.sample(PressureLevel::elevated);
    EXPECT_TRUE(changes.empty());
    subscription.cancel();
    f.sample(PressureLevel::critical);
    EXPECT_TRUE(changes.empty());
}

TEST(AppModelLifetime, LateSampleAfterTheModelIsGoneDoesNothing) {
    ModelFixture f;
    f.model->sampleMemory();
    f.model.reset();
    EXPECT_EQ(f.main->runUntilIdle(), 2); // the sample and its (empty) hand-back both ran
}

} // namespace
} // namespace corvane
