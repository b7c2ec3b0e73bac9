#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/SettingsFormContent.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <ctime>

namespace corvane {
namespace {

// 2026-12-08 06:00 UTC, which is 14:00 in the zone "CST-8" (eight hours east, no daylight saving).
const Date fourteen = dateFromUnixSeconds(1'796'709'600);

class LocalZone {
public:
    explicit LocalZone(const char* zone) : tz_("TZ", zone) { ::tzset(); }
    ~LocalZone() { ::tzset(); }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    test::ScopedEnvironment tz_;
};

TEST(SettingsFormContent, SectionsControlsAndBindingsInOrder) {
    InMemoryPreferenceStore store;
    Prefs::registerDefaults(store);
    Prefs::set(store, Prefs::hideIcon, true);
    Prefs::set(store, Prefs::alertMemory, false);
    const auto form = settingsFormContent(store, fourteen, {true, std::nullopt}, {});

    struct Row {
        std::string_view header;
        std::string_view title;
        SettingsControlKind kind;
        std::string_view key;
        bool on;
    };
    const Row expected[] = {
        {"通用", "开机时自动启动", SettingsControlKind::launchAtLoginToggle, "", true},
        {"通用", "在菜单栏显示内存百分比", SettingsControlKind::preferenceToggle, "showPercent", true},
        {"AI 提醒", "在屏幕顶部提醒我", SettingsControlKind::preferenceToggle, "notchEnabled", true},
        {"AI 提醒", "鼠标停在刘海上时展开仪表盘", SettingsControlKind::preferenceToggle, "hoverOpen", true},
        {"AI 提醒", "暂停提醒 1 小时", SettingsControlKind::pauseButton, "", false},
        {"提醒范围", "AI 在等你", SettingsControlKind::preferenceToggle, "alertAIWaiting", true},
        {"提醒范围", "AI 干完了", SettingsControlKind::preferenceToggle, "alertFinished", true},
        {"提醒范围", "内存紧张", SettingsControlKind::preferenceToggle, "alertMemory", false},
        {"提醒范围", "磁盘不足", SettingsControlKind::preferenceToggle, "alertDisk", true},
        {"菜单栏图标", "隐藏菜单栏图标", SettingsControlKind::preferenceToggle, "hideIcon", true},
    };
    std::vector<Row> actual;
    for (const auto& section : form.sections) {
        for (const auto& control : section.controls) {
            actual.push_back({section.header, control.title, control.kind,
                              control.preference ? control.preference->key : "", control.on});
        }
    }
    ASSERT_EQ(actual.size(), std::size(expected));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].header, expected[i].header) << i;
        EXPECT_EQ(actual[i].title, expected[i].title) << i;
        EXPECT_EQ(actual[i].kind, expected[i].kind) << i;
        EXPECT_EQ(actual[i].key, expected[i].key) << i;
        EXPECT_EQ(actual[i].on, expected[i].on) << i;
    }
    ASSERT_EQ(form.sections.size(), 4U);
    EXPECT_EQ(form.sections[2].footer, "只影响屏幕顶部的短暂提示；不勾选的事件不会弹出，但仪表盘里仍能看到。");
    EXPECT_EQ(form.sections[3].footer, "隐藏后，再次打开本应用即可回到设置");
}

// The texts that depend on the moment, the login item and the session.
TEST(SettingsFormContent, PauseLaunchErrorAndWaylandTexts) {
    const LocalZone zone("CST-8");
    const std::string idleFooter = "AI 工具在等你、或内存变紧张时，在屏幕顶部短暂提示（没有刘海的屏幕显示为悬浮小胶囊）。"
                                   "点菜单栏图标可随时展开仪表盘。";
    const struct {
        const char* name;
        double pausedUntil;
        std::optional<std::string> launchError;
        DesktopSession session;
        std::string_view button;
        std::string aiFooter;
        std::optional<Date> changesAt;
    } rows[] = {
        {"idle on X11", 0, std::nullopt, {"x11", std::nullopt}, "暂停提醒 1 小时", idleFooter, std::nullopt},
        {"paused, failed login item, Wayland type", unixSeconds(fourteen) + 3600, launchAtLoginFailureText,
         {"wayland", std::nullopt}, "恢复提醒", "提醒将在 15:00 恢复。", addingSeconds(fourteen, 3600)},
        {"pause ended at this very moment, Wayland display only", unixSeconds(fourteen), std::nullopt,
         {"x11", "wayland-0"}, "暂停提醒 1 小时", idleFooter, std::nullopt},
        {"paused past midnight, empty display name", unixSeconds(fourteen) + 10 * 3600 + 5 * 60, std::nullopt,
         {std::nullopt, ""}, "恢复提醒", "提醒将在 00:05 恢复。", addingSeconds(fourteen, 10 * 3600 + 5 * 60)},
    };
    for (const auto& row : rows) {
        InMemoryPreferenceStore store;
        Prefs::registerDefaults(store);
        Prefs::set(store, Prefs::pausedUntil, row.pausedUntil);
        const auto form = settingsFormContent(store, fourteen, {false, row.launchError}, row.session);
        ASSERT_EQ(form.sections.size(), 4U) << row.name;
        EXPECT_EQ(form.sections[0].footer, row.launchError) << row.name;
        EXPECT_EQ(form.sections[0].note.has_value(), row.session.isWayland()) << row.name;
        EXPECT_EQ(form.sections[1].controls.back().title, row.button) << row.name;
        EXPECT_EQ(form.sections[1].footer, row.aiFooter) << row.name;
        EXPECT_EQ(form.changesAt, row.changesAt) << row.name;
    }
    EXPECT_EQ(settingsFormContent(InMemoryPreferenceStore{}, fourteen, {}, {"wayland", std::nullopt}).sections[0].note,
              waylandSessionNote);
}

} // namespace
} // namespace corvane
