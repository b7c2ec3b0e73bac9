#pragma once

#include "prefs/SettingsFormContent.h"

#include <optional>
#include <string>

namespace corvane {

/// What the session offers the desktop program's windows.
struct DisplayFacts {
    /// `QT_QPA_PLATFORM` as the user set it; absent when unset or empty.
    std::optional<std::string> configuredPlatform;
    /// An X server (or XWayland) accepted a connection on `$DISPLAY`.
    bool x11Reachable{false};
    /// A Wayland compositor's socket exists at `$WAYLAND_DISPLAY`.
    bool waylandReachable{false};
    /// The login session's type and Wayland display.
    DesktopSession session;
};

/// How the desktop program starts its windows.
struct DisplayChoice {
    /// False when no display can show a window: the program prints the report instead.
    bool reachable{false};
    /// The window-system platform to ask for before the application object exists; absent to
    /// leave the choice as it is.
    std::optional<std::string> platform;

    bool operator==(const DisplayChoice&) const = default;
};

/// Panels are placed at the top centre of a screen, which only X11 allows, so a Wayland session
/// runs its windows through XWayland when it can; a native Wayland display still carries the
/// tray item. A platform the user chose is kept unless it names a display that is not there.
DisplayChoice chooseDisplay(const DisplayFacts& facts);

/// The facts of this process's session (connects to the X server once to find out).
DisplayFacts currentDisplayFacts();

} // namespace corvane
