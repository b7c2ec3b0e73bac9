#pragma once

#include "prefs/LoginItem.h"

#include <optional>
#include <string>

namespace corvane {

/// What the settings form shows for launch at login.
struct LaunchAtLoginState {
    bool launchAtLogin{false};
    std::optional<std::string> launchError;
    bool operator==(const LaunchAtLoginState&) const = default;
};

/// The footer text when the login item could not be written or removed.
inline constexpr const char* launchAtLoginFailureText = "无法设置开机启动。请确认可以写入 ~/.config/autostart 文件夹后再试。";

/// Switches the login item to `on`: on success the toggle shows what the system now reports; on
/// failure it returns to off and the failure text is shown.
LaunchAtLoginState toggleLaunchAtLogin(LoginItem& item, bool on);

} // namespace corvane
