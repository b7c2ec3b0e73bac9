#pragma once

#include "prefs/LaunchAtLogin.h"
#include "prefs/PreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/Date.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The desktop session as its environment variables describe it (absent when unset).
struct DesktopSession {
    std::optional<std::string> sessionType;    ///< XDG_SESSION_TYPE
    std::optional<std::string> waylandDisplay; ///< WAYLAND_DISPLAY

    /// True on a Wayland session: the session type is "wayland" or a Wayland display is named.
    bool isWayland() const;
};

/// The sentence shown on a Wayland session, whose native windows the program cannot see.
inline constexpr std::string_view waylandSessionNote =
    "在 Wayland 会话中，Corvane 看不到原生 Wayland 应用的窗口，也无法让它们退出。";

/// What a settings control does when used.
enum class SettingsControlKind {
    launchAtLoginToggle, ///< switches the login item (`toggleLaunchAtLogin`)
    preferenceToggle,    ///< writes `preference`
    pauseButton,         ///< `Prefs::togglePause`
};

/// One control of the settings form.
struct SettingsControl {
    SettingsControlKind kind{};
    std::string_view title;
    /// The preference a preference toggle writes; absent for the other kinds.
    std::optional<BoolPref> preference;
    /// Whether a toggle is on; false for the button.
    bool on{};
};

/// One group of the form: a header, its controls, and grey texts below them.
struct SettingsSection {
    std::string_view header;
    std::vector<SettingsControl> controls;
    std::optional<std::string> footer;
    /// A standing remark about this machine, shown below the footer.
    std::optional<std::string_view> note;
};

/// The settings form as it must look at one moment. Its sections and controls never change in
/// number or order; only titles, toggle states and texts do.
struct SettingsFormContent {
    std::vector<SettingsSection> sections;
    /// When the texts change by themselves (the running pause ends); absent when they do not.
    std::optional<Date> changesAt;
};

/// The form for the stored preferences at `now`, the login item's `launch` state and `session`.
/// Pause times are shown as hours and minutes in local time.
SettingsFormContent settingsFormContent(const PreferenceStore& store, Date now, const LaunchAtLoginState& launch,
                                        const DesktopSession& session);

/// Carries out `control` switched to `on` (ignored by the button) at `now`: writes its preference
/// or toggles the pause. Returns the new login-item state for the launch toggle, else `launch`.
LaunchAtLoginState useSettingsControl(const SettingsControl& control, bool on, Date now, PreferenceStore& store,
                                      LoginItem& loginItem, const LaunchAtLoginState& launch);

} // namespace corvane
