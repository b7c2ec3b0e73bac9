#pragma once

namespace corvane {

/// Whether the desktop asks for reduced motion: GNOME's `enable-animations` off (read with the
/// `gsettings` tool, only when it and the schema are installed) or KDE's `AnimationDurationFactor` 0 in
/// `$XDG_CONFIG_HOME/kdeglobals` (~/.config when unset or relative). False when neither says so.
/// Reads the settings anew on every call; the island reads them once when it is built, so a change
/// made while the program runs applies from its next start.
bool reducedMotion();

} // namespace corvane
