#include "prefs/LaunchAtLogin.h"

namespace corvane {

LaunchAtLoginState toggleLaunchAtLogin(LoginItem& item, bool on) {
    if (!item.setEnabled(on)) return {false, launchAtLoginFailureText};
    return {item.isEnabled(), std::nullopt};
}

} // namespace corvane
