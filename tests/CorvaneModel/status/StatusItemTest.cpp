#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "status/StatusItemLook.h"
#include "status/StatusMenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace corvane {
namespace {

const StatusInputs base{PressureLevel::normal, 40, true, false, 0};

TEST(StatusRefreshKey, Format) {
    EXPECT_EQ(statusRefreshKey({PressureLevel::elevated, 72, true, false, 3}), "elevated|72|true|3|false");
}

TEST(StatusItemRefresher, DrawsOnlyWhenAVisibleInputChanges) {
    StatusItemRefresher r;
    EXPECT_TRUE(r.refresh(base).has_value());
    EXPECT_FALSE(r.refresh(base).has_value());

    StatusInputs changed = base;
    for (auto change : std::vector<std::function<void(StatusInputs&)>>{
             [](StatusInputs& in) { in.level = PressureLevel::critical; },
             [](StatusInputs& in) { in.percent = 41; },
             [](StatusInputs& in) { in.showPercent = false; },
             [](StatusInputs& in) { in.hideIcon = true; },
             [](StatusInputs& in) { in.waiting = 1; },
         }) {
        change(changed);
        EXPECT_TRUE(r.refresh(changed).has_value()) << statusRefreshKey(changed);
        EXPECT_FALSE(r.refresh(changed).has_value());
    }
    r.invalidate();
    EXPECT_TRUE(r.refresh(changed).has_value());
}

/// Icon by level, the percent in the level's colour when shown, the badge and the spoken label by
/// the waiting count; hiding the icon hides the whole item.
TEST(StatusItemLook, FollowsEveryInput) {
    using enum PressureLevel;
    using enum StatusTitleColor;
    using enum IconRendering;
    const StatusIcon chip{Symbol::memoryChip, "内存正常", template_};
    const std::pair<StatusInputs, StatusItemLook> table[] = {
        {{elevated, 72, true, false, 0},
         {true, {Symbol::warningOutline, "内存偏紧", paletteOrange}, true, StatusTitle{" 72%", orange}, false,
          "内存压力：偏紧，已用 72%"}},
        {{normal, 40, false, false, 0}, {true, chip, false, std::nullopt, false, "内存压力：良好，已用 40%"}},
        {{critical, 99, true, true, 3},
         {false, {Symbol::warningFilled, "内存紧张", paletteRed}, true, StatusTitle{" 99%", red}, true,
          "内存压力：紧张，已用 99%；3 个 AI 会话等你"}},
        {{normal, 5, true, false, 0}, {true, chip, true, StatusTitle{" 5%", standard}, false, "内存压力：良好，已用 5%"}},
        {{normal, 40, true, false, 1},
         {true, chip, true, StatusTitle{" 40%", standard}, true, "内存压力：良好，已用 40%；1 个 AI 会话等你"}},
    };
    for (const auto& [inputs, look] : table) EXPECT_EQ(statusItemLook(inputs), look) << statusRefreshKey(inputs);
}

TEST(StatusInputs, ReadsSnapshotPercentAndPreferences) {
    InMemoryPreferenceStore prefs;
    Prefs::registerDefaults(prefs);
    Prefs::set(prefs, Prefs::hideIcon, true);
    MemorySnapshot s;
    s.totalBytes = 1000;
    s.freeBytes = 275;
    EXPECT_EQ(statusInputs(PressureLevel::elevated, s, prefs, 2),
              (StatusInputs{PressureLevel::elevated, 73, true, true, 2}));
}

TEST(StatusMenu, ItemsAndPauseTitle) {
    const auto running = statusMenu(false);
    ASSERT_EQ(running.size(), 5u);
    EXPECT_EQ(running[0], (StatusMenuItem{"活动监视器", "", StatusMenuAction::openActivityMonitor}));
    EXPECT_EQ(running[1], (StatusMenuItem{"设置…", ",", StatusMenuAction::openSettings}));
    EXPECT_EQ(running[2], (StatusMenuItem{"暂停提醒 1 小时", "", StatusMenuAction::togglePause}));
    EXPECT_TRUE(running[3].isSeparator());
    EXPECT_EQ(running[4], (StatusMenuItem{"退出Corvane", "q", StatusMenuAction::quit}));
    EXPECT_EQ(statusMenu(true)[2].title, "恢复提醒");
}

TEST(StatusMenu, TogglePauseEndsOrStartsThePauseAndRedraws) {
    InMemoryPreferenceStore prefs;
    Prefs::registerDefaults(prefs);
    const Date now = dateFromUnixSeconds(1'800'000'000);
    StatusItemRefresher r;
    r.refresh(base);
    togglePauseFromMenu(prefs, now, r);
    EXPECT_EQ(Prefs::value(prefs, Prefs::pausedUntil), 1'800'003'600);
    EXPECT_TRUE(r.refresh(base).has_value());
    togglePauseFromMenu(prefs, now, r);
    EXPECT_EQ(Prefs::value(prefs, Prefs::pausedUntil), 0);
    EXPECT_FALSE(Prefs::isPaused(prefs, now));
}

} // namespace
} // namespace corvane
