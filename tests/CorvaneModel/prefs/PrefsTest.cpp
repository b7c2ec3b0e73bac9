#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const Date fourteen = dateFromUnixSeconds(1'800'000'000);

TEST(Prefs, FirstLaunchReadsEveryDefault) {
    InMemoryPreferenceStore store;
    Prefs::registerDefaults(store);
    EXPECT_TRUE(Prefs::value(store, Prefs::showPercent));
    EXPECT_TRUE(Prefs::value(store, Prefs::notchEnabled));
    EXPECT_TRUE(Prefs::value(store, Prefs::hoverOpen));
    EXPECT_FALSE(Prefs::value(store, Prefs::hideIcon));
    EXPECT_EQ(Prefs::value(store, Prefs::pausedUntil), 0.0);
    EXPECT_FALSE(Prefs::value(store, Prefs::hasOptimizedBefore));
    EXPECT_FALSE(Prefs::value(store, Prefs::hasCleanedDiskBefore));
    EXPECT_EQ(Prefs::value(store, Prefs::lastDiskAlert), 0.0);
    EXPECT_TRUE(Prefs::value(store, Prefs::alertAIWaiting));
    EXPECT_TRUE(Prefs::value(store, Prefs::alertFinished));
    EXPECT_TRUE(Prefs::value(store, Prefs::alertMemory));
    EXPECT_TRUE(Prefs::value(store, Prefs::alertDisk));
    EXPECT_FALSE(Prefs::isPaused(store, fourteen));
    // Registration covers exactly the twelve keys.
    EXPECT_EQ(Prefs::boolPrefs.size() + Prefs::secondsPrefs.size(), 12U);
    for (const BoolPref& pref : Prefs::boolPrefs) EXPECT_TRUE(store.value(pref.key).has_value()) << pref.key;
}

TEST(Prefs, WrongTypeOrMissingValueFallsBackToDefault) {
    InMemoryPreferenceStore store;
    EXPECT_TRUE(Prefs::value(store, Prefs::alertDisk)); // nothing registered, nothing stored
    store.setValue("alertDisk", 3.0);
    EXPECT_TRUE(Prefs::value(store, Prefs::alertDisk));
    store.setValue("pausedUntil", true);
    EXPECT_EQ(Prefs::value(store, Prefs::pausedUntil), 0.0);
    Prefs::set(store, Prefs::alertDisk, false);
    EXPECT_FALSE(Prefs::value(store, Prefs::alertDisk));
}

TEST(Prefs, PauseTogglesAroundNow) {
    InMemoryPreferenceStore store;
    Prefs::registerDefaults(store);
    Prefs::togglePause(store, fourteen);
    EXPECT_DOUBLE_EQ(Prefs::value(store, Prefs::pausedUntil), unixSeconds(fourteen) + 3600);
    EXPECT_EQ(Prefs::pausedUntilDate(store, fourteen), addingSeconds(fourteen, 3600));
    EXPECT_TRUE(Prefs::isPaused(store, addingSeconds(fourteen, 3599)));
    EXPECT_FALSE(Prefs::isPaused(store, addingSeconds(fourteen, 3600))); // the end itself is not paused
    Prefs::togglePause(store, addingSeconds(fourteen, 60));
    EXPECT_EQ(Prefs::value(store, Prefs::pausedUntil), 0.0);
}

TEST(Prefs, PastOrCorruptPauseValuesAndTogglingAtTheEnd) {
    InMemoryPreferenceStore store;
    Prefs::set(store, Prefs::pausedUntil, unixSeconds(fourteen) - 1);
    EXPECT_FALSE(Prefs::isPaused(store, fourteen));
    EXPECT_EQ(Prefs::pausedUntilDate(store, fourteen), std::nullopt);
    Prefs::set(store, Prefs::pausedUntil, 1e300); // a corrupt value does not overflow
    EXPECT_TRUE(Prefs::isPaused(store, fourteen));
    Prefs::set(store, Prefs::pausedUntil, std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(Prefs::isPaused(store, fourteen));
    // Exactly at the end: not earlier than pausedUntil, so a new pause starts.
    Prefs::set(store, Prefs::pausedUntil, unixSeconds(fourteen));
    Prefs::togglePause(store, fourteen);
    EXPECT_DOUBLE_EQ(Prefs::value(store, Prefs::pausedUntil), unixSeconds(fourteen) + 3600);
}

} // namespace
} // namespace corvane
