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

TEST(StatusItemLook, ElevatedWithPercent) {
    const StatusItemLook look = statusItemLook({PressureLevel::elevated, 72, true, false, 0});
    EXPECT_EQ(look.icon, (StatusIcon{Symbol::warningOutline, "内存偏紧", IconRendering::paletteOrange}));
    EXPECT_EQ(look.title, (StatusTitle{" 72%", StatusTitleColor::orange}));
    EXPECT_TRUE(look.imageLeading);
    EXPECT_TRUE(look.visible);
    EXPECT_FALSE(look.badgeVisible);
}

TEST(StatusItemLook, NormalWithoutPercentIsTheTemplateChipOnly) {
    const StatusItemLook look = statusItemLook({PressureLevel::normal, 40, false, false, 0});
    EXPECT_EQ(look.icon, (StatusIcon{Symbol::memoryChip, "内存正常", IconRendering::template_}));
    EXPECT_FALSE(look.title.has_value());
    EXPECT_FALSE(look.imageLeading);
}

TEST(StatusItemLook, CriticalIsRedAndHideIconHides) {
    const StatusItemLook look = statusItemLook({PressureLevel::critical, 95, true, true, 0});
    EXPECT_EQ(look.icon.rendering, IconRendering::paletteRed);
    EXPECT_EQ(look.icon.symbol, Symbol::warningFilled);
    EXPECT_EQ(look.title->color, StatusTitleColor::red);
    EXPECT_FALSE(look.visible);
    EXPECT_EQ(statusTitle({PressureLevel::normal, 5, true, false, 0})->color, StatusTitleColor::standard);
}

TEST(StatusItemLook, BadgeAndLabelFollowTheWaitingCount) {
    const StatusItemLook none = statusItemLook({PressureLevel::normal, 40, true, false, 0});
    EXPECT_FALSE(none.badgeVisible);
    EXPECT_EQ(none.a11yLabel, "内存压力：良好，已用 40%");
    const StatusItemLook one = statusItemLook({PressureLevel::normal, 40, true, false, 1});
    EXPECT_TRUE(one.badgeVisible);
    EXPECT_EQ(one.a11yLabel, "内存压力：良好，已用 40%；1 个 AI 会话等你");
}

TEST(A11yStatusLabel, LevelWords) {
    EXPECT_EQ(a11yStatusLabel(PressureLevel::elevated, 72, 0), "内存压力：偏紧，已用 72%");
    EXPECT_EQ(a11yStatusLabel(PressureLevel::critical, 99, 3), "内存压力：紧张，已用 99%；3 个 AI 会话等你");
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
