#include "prefs/SettingsFormContent.h"

#include <chrono>
#include <ctime>

namespace corvane {

bool DesktopSession::isWayland() const {
    return sessionType == "wayland" || (waylandDisplay && !waylandDisplay->empty());
}

namespace {

std::string shortLocalTime(Date date) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(date);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return {};
    char text[16];
    const std::size_t length = std::strftime(text, sizeof text, "%H:%M", &local);
    return {text, length};
}

SettingsControl toggle(const PreferenceStore& store, BoolPref pref, std::string_view title) {
    return {SettingsControlKind::preferenceToggle, title, pref, Prefs::value(store, pref)};
}

} // namespace

SettingsFormContent settingsFormContent(const PreferenceStore& store, Date now, const LaunchAtLoginState& launch,
                                        const DesktopSession& session) {
    const std::optional<Date> pausedUntil = Prefs::pausedUntilDate(store, now);

    SettingsSection general{"通用",
                            {{SettingsControlKind::launchAtLoginToggle, "开机时自动启动", std::nullopt,
                              launch.launchAtLogin},
                             toggle(store, Prefs::showPercent, "在菜单栏显示内存百分比")},
                            launch.launchError,
                            std::nullopt};
    if (session.isWayland()) general.note = waylandSessionNote;

    SettingsSection alerts{
        "AI 提醒",
        {toggle(store, Prefs::notchEnabled, "在屏幕顶部提醒我"),
         toggle(store, Prefs::hoverOpen, "鼠标停在刘海上时展开仪表盘"),
         {SettingsControlKind::pauseButton, pausedUntil ? "恢复提醒" : "暂停提醒 1 小时", std::nullopt, false}},
        pausedUntil ? "提醒将在 " + shortLocalTime(*pausedUntil) + " 恢复。"
                    : "AI 工具在等你、或内存变紧张时，在屏幕顶部短暂提示（没有刘海的屏幕显示为悬浮小胶囊）。"
                      "点菜单栏图标可随时展开仪表盘。",
        std::nullopt};

    SettingsSection scope{"提醒范围",
                          {toggle(store, Prefs::alertAIWaiting, "AI 在等你"),
                           toggle(store, Prefs::alertFinished, "AI 干完了"),
                           toggle(store, Prefs::alertMemory, "内存紧张"), toggle(store, Prefs::alertDisk, "磁盘不足")},
                          "只影响屏幕顶部的短暂提示；不勾选的事件不会弹出，但仪表盘里仍能看到。",
                          std::nullopt};

    SettingsSection icon{"菜单栏图标",
                         {toggle(store, Prefs::hideIcon, "隐藏菜单栏图标")},
                         "隐藏后，再次打开本应用即可回到设置",
                         std::nullopt};

    return {{std::move(general), std::move(alerts), std::move(scope), std::move(icon)}, pausedUntil};
}

LaunchAtLoginState useSettingsControl(const SettingsControl& control, bool on, Date now, PreferenceStore& store,
                                      LoginItem& loginItem, const LaunchAtLoginState& launch) {
    switch (control.kind) {
    case SettingsControlKind::launchAtLoginToggle:
        return toggleLaunchAtLogin(loginItem, on);
    case SettingsControlKind::preferenceToggle:
        if (control.preference) Prefs::set(store, *control.preference, on);
        break;
    case SettingsControlKind::pauseButton:
        Prefs::togglePause(store, now);
        break;
    }
    return launch;
}

} // namespace corvane
