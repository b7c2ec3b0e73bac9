#include "app/AppModel.h"

#include "ModelFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::GiB;
using test::ModelFixture;

/// Seconds waited before a sample, its level and the free disk space.
struct Sample {
    double wait;
    PressureLevel level;
    std::uint64_t diskFree = 100 * GiB;
};

/// Samples, the tints of the memory notices and the number of disk notices they raise: a rise
/// alerts at most once per five minutes, a fall never, the first sample only in a demonstration;
/// less than 15 GiB free (but some) alerts at most once an hour.
struct SampleRun {
    const char* name;
    bool isMock;
    std::vector<Sample> samples;
    std::vector<WingsContent::Tint> notices;
    int diskNotices = 0;
};

class AppModelSampleRuns : public ::testing::TestWithParam<SampleRun> {};

TEST_P(AppModelSampleRuns, RaiseTheExpectedNotices) {
    ModelFixture f(GetParam().isMock);
    for (const auto& [wait, level, diskFree] : GetParam().samples) {
        f.main->advance(wait);
        f.sample(level, diskFree);
    }
    std::vector<WingsContent::Tint> tints;
    for (const WingsContent& wings : f.wings) {
        if (wings.focus == WingsFocus::none) tints.push_back(wings.tint);
    }
    EXPECT_EQ(tints, GetParam().notices);
    EXPECT_EQ(static_cast<int>(f.wings.size() - tints.size()), GetParam().diskNotices);
}

constexpr auto normal = PressureLevel::normal;
constexpr auto elevated = PressureLevel::elevated;
constexpr auto critical = PressureLevel::critical;
constexpr auto orange = WingsContent::Tint::orange;
const std::uint64_t lowDisk = static_cast<std::uint64_t>(14.9 * static_cast<double>(GiB));

INSTANTIATE_TEST_SUITE_P(
    Table, AppModelSampleRuns,
    ::testing::Values(
        SampleRun{"FirstSampleIsQuiet", false, {{0, elevated}}, {}},
        SampleRun{"FirstSampleAlertsInDemonstration", true, {{0, elevated}}, {orange}},
        SampleRun{"RisesWithinFiveMinutesAlertOnce", false, {{0, normal}, {0, elevated}, {100, critical}}, {orange}},
        SampleRun{"FallsNeverAlert", false, {{0, normal}, {0, critical}, {0, elevated}}, {WingsContent::Tint::red}},
        SampleRun{"NewRiseAfterFiveMinutesAlerts", false,
                  {{0, normal}, {0, critical}, {0, normal}, {299, elevated}, {0, normal}, {1, elevated}},
                  {WingsContent::Tint::red, orange}},
        SampleRun{"LowDiskAlertsOnceAnHour", false,
                  {{0, normal, lowDisk}, {59 * 60, normal, lowDisk}, {60, normal, lowDisk}}, {}, 2},
        SampleRun{"FifteenGiBOrNothingFreeIsQuiet", false, {{0, normal, 15 * GiB}, {0, normal, 0}}, {}, 0},
        SampleRun{"JustBelowFifteenGiBAlerts", false, {{0, normal, 15 * GiB - 1}}, {}, 1},
        SampleRun{"LowDiskAlertsInDemonstration", true, {{0, normal, 10 * GiB}}, {}, 1}),
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

TEST(AppModelDiskAlerts, PersistedTimeSurvivesARestartAndMockDoesNotPersist) {
    ModelFixture f;
    f.sample(PressureLevel::normal, 10 * GiB);
    ASSERT_EQ(f.wings.size(), 1U);
    EXPECT_EQ(f.wings[0].focus, WingsFocus::disk);
    EXPECT_DOUBLE_EQ(Prefs::value(*f.prefs, Prefs::lastDiskAlert), unixSeconds(f.main->now()));
    f.main->advance(1800);
    f.build(false); // a new model over the same preferences
    f.sample(PressureLevel::normal, 10 * GiB);
    EXPECT_EQ(f.wings.size(), 1U);

    ModelFixture mock(true);
    mock.sample(PressureLevel::normal, 10 * GiB);
    EXPECT_EQ(Prefs::value(*mock.prefs, Prefs::lastDiskAlert), 0.0);
}

TEST(AppModelTimers, IntervalsFollowIslandAndLowPower) {
    ModelFixture f;
    f.start();
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
    f.start();
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
    f.start();
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

TEST(AppModelObservation, ANewTimeAloneRedrawsNothing) {
    ModelFixture f;
    MemorySnapshot sample;
    sample.totalBytes = 16 * GiB;
    sample.freeBytes = 4 * GiB;
    f.model->apply(sample, Verdict{});
    std::vector<AppModel::Field> changes;
    auto subscription = f.model->observe([&](AppModel::Field field) { changes.push_back(field); });
    sample.timestamp = dateFromUnixSeconds(unixSeconds(sample.timestamp) + 1);
    f.model->apply(sample, f.model->verdict());
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(f.model->snapshot().timestamp, sample.timestamp); // still the latest sample's time
    sample.freeBytes -= 1;
    f.model->apply(sample, f.model->verdict());
    EXPECT_EQ(changes, std::vector<AppModel::Field>{AppModel::Field::snapshot});
}

TEST(AppModelLifetime, LateSampleAfterTheModelIsGoneDoesNothing) {
    ModelFixture f;
    f.model->sampleMemory();
    f.model.reset();
    EXPECT_EQ(f.main->runUntilIdle(), 2); // the sample and its (empty) hand-back both ran
}

} // namespace
} // namespace corvane
