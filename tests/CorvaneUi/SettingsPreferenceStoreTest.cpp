#include "SettingsPreferenceStore.h"

#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using test::TempDir;

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string show(const std::optional<PreferenceValue>& value) {
    if (!value) return "absent";
    if (const bool* flag = std::get_if<bool>(&*value)) return *flag ? "true" : "false";
    std::ostringstream text;
    text << std::get<double>(*value);
    return text.str();
}

TEST(SettingsPreferenceStore, UnreadableValuesReadAsDefaultsAndTheirNeighboursSurvive) {
    const TempDir dir;
    const std::string path = dir.write("Corvane.conf", "[General]\n"
                                                       "showPercent=yes\n"
                                                       "hideIcon=1\n"
                                                       "notchEnabled=false\n"
                                                       "\x01\xff garbage ]]] no equals sign\n"
                                                       "pausedUntil=12abc\n"
                                                       "lastDiskAlert=inf\n"
                                                       "alertMemory=false, true\n"
                                                       "alertDisk=\n"
                                                       "hoverOpen=false\n"
                                                       "alertFinished=FALSE\n"
                                                       "hasOptimizedBefore=1765200000\n"
                                                       "alertAIWaiting=false\n"
                                                       "looseFlag=true\n"
                                                       "looseSeconds=-2.5e3\n"
                                                       "looseText=soon\n");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"showPercent", "true"},   {"hideIcon", "false"},           {"notchEnabled", "false"},   {"pausedUntil", "0"},
        {"lastDiskAlert", "0"},    {"alertMemory", "true"},         {"alertDisk", "true"},       {"hoverOpen", "false"},
        {"alertFinished", "true"}, {"hasOptimizedBefore", "false"}, {"alertAIWaiting", "false"}, {"looseFlag", "true"},
        {"looseSeconds", "-2500"}, {"looseText", "absent"},
    };
    {
        SettingsPreferenceStore store(path);
        Prefs::registerDefaults(store);
        for (const auto& [key, value] : expected)
            EXPECT_EQ(show(store.value(key)), value) << key;
        Prefs::set(store, Prefs::hasCleanedDiskBefore, true);
    }
    SettingsPreferenceStore rewritten(path);
    Prefs::registerDefaults(rewritten);
    for (const auto& [key, value] : expected)
        EXPECT_EQ(show(rewritten.value(key)), value) << "rewritten: " << key;
    EXPECT_TRUE(Prefs::value(rewritten, Prefs::hasCleanedDiskBefore));
}

TEST(SettingsPreferenceStore, ConcurrentWritersLoseNoKeyAndTheNextInstanceReadsThemAll) {
    constexpr int threads = 8;
    constexpr int keysPerThread = 40;
    const TempDir dir;
    const std::string path = dir / "config/quillmere/Corvane.conf"; // folders not there yet
    auto key = [](int t, int i) { return "writer" + std::to_string(t) + "key" + std::to_string(i); };
    {
        SettingsPreferenceStore store(path);
        std::vector<std::jthread> writers;
        for (int t = 0; t < threads; ++t) {
            writers.emplace_back([&, t] {
                for (int i = 0; i < keysPerThread; ++i) {
                    store.setValue(key(t, i), static_cast<double>(i));
                    store.setValue("shared", t % 2 == 0);
                    EXPECT_EQ(store.value(key(t, i)), PreferenceValue(static_cast<double>(i)));
                }
                store.setValue(key(t, 0), 1765200000.123456 + t);
            });
        }
    }
    // Read back twice: through a new store, and from the file's text (a store in the same
    // process could be served by QSettings' in-process cache).
    SettingsPreferenceStore reopened(path);
    const std::string text = contents(path);
    for (int t = 0; t < threads; ++t) {
        EXPECT_EQ(reopened.value(key(t, 0)), PreferenceValue(1765200000.123456 + t));
        for (int i = 1; i < keysPerThread; ++i) {
            EXPECT_EQ(reopened.value(key(t, i)), PreferenceValue(static_cast<double>(i))) << key(t, i);
            EXPECT_NE(text.find("\n" + key(t, i) + "=" + std::to_string(i) + "\n"), std::string::npos) << key(t, i);
        }
    }
    EXPECT_TRUE(reopened.value("shared").has_value());
}

TEST(SettingsPreferenceStore, ReadOnlyFolderKeepsValuesForThisRunAndWritesThemOnceWritable) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    const TempDir dir;
    const std::string original = "[General]\nshowPercent=false\nalertDisk=false\n";
    const std::string path = dir.write("locked/Corvane.conf", original);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0555), 0);
    SettingsPreferenceStore store(path);
    Prefs::registerDefaults(store);
    Prefs::set(store, Prefs::hideIcon, true);
    Prefs::set(store, Prefs::showPercent, true);
    EXPECT_FALSE(store.flush());
    EXPECT_TRUE(Prefs::value(store, Prefs::hideIcon));
    EXPECT_TRUE(Prefs::value(store, Prefs::showPercent));
    EXPECT_FALSE(Prefs::value(store, Prefs::alertDisk));
    EXPECT_EQ(contents(path), original);

    ASSERT_EQ(::chmod((dir / "locked").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_TRUE(store.flush()) << "the failed values are still due";
    EXPECT_EQ(contents(path), "[General]\nalertDisk=false\nhideIcon=true\nshowPercent=true\n");
}

// Both stores notify the same way: the in-memory one for headless use, the file one for the desktop.
template <typename Store> class PreferenceChanges : public ::testing::Test {
protected:
    std::unique_ptr<Store> make() {
        if constexpr (std::is_same_v<Store, SettingsPreferenceStore>) {
            return std::make_unique<Store>(dir / "Corvane.conf");
        } else {
            return std::make_unique<Store>();
        }
    }
    TempDir dir;
};
using Stores = ::testing::Types<InMemoryPreferenceStore, SettingsPreferenceStore>;
TYPED_TEST_SUITE(PreferenceChanges, Stores);

TYPED_TEST(PreferenceChanges, NotifyOncePerRealChangeWithTheNewValueReadable) {
    auto store = this->make();
    Prefs::registerDefaults(*store);
    std::vector<std::string> seen;
    PreferenceSubscription subscription = store->onChange(
        [&](std::string_view key) { seen.push_back(std::string(key) + "=" + show(store->value(key))); });
    int otherCalls = 0;
    PreferenceSubscription other = store->onChange([&](std::string_view) { ++otherCalls; });

    Prefs::set(*store, Prefs::hideIcon, false); // the default already reads false
    Prefs::set(*store, Prefs::showPercent, false);
    Prefs::set(*store, Prefs::showPercent, false);
    Prefs::togglePause(*store, dateFromUnixSeconds(100));
    other.reset();
    Prefs::togglePause(*store, dateFromUnixSeconds(200));
    PreferenceSubscription moved = std::move(subscription);
    Prefs::set(*store, Prefs::hideIcon, true);
    moved.reset();
    Prefs::set(*store, Prefs::hideIcon, false);

    EXPECT_EQ(seen,
              (std::vector<std::string>{"showPercent=false", "pausedUntil=3700", "pausedUntil=0", "hideIcon=true"}));
    EXPECT_EQ(otherCalls, 2);
}

} // namespace
} // namespace corvane
