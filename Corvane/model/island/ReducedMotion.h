#pragma once

#include <optional>
#include <string_view>

namespace corvane {

/// What the desktop says about animations; each field is absent when its desktop does not say.
struct MotionSettings {
    /// GNOME's `org.gnome.desktop.interface enable-animations`.
    std::optional<bool> gnomeEnableAnimations;
    /// KDE's `[KDE] AnimationDurationFactor` of kdeglobals (0 turns animations off).
    std::optional<double> kdeAnimationDurationFactor;
};

/// True when either desktop turns animations off: GNOME's switch off, or KDE's duration factor 0
/// (or below). Nothing said means animations on. Pure.
bool prefersReducedMotion(const MotionSettings& settings);

/// The `AnimationDurationFactor` of the `[KDE]` group in the text of a kdeglobals file, the last
/// entry winning as KDE reads it; a key marked immutable (`AnimationDurationFactor[$i]`) counts
/// too. Absent when the group or key is missing or the value is not a finite number. Pure.
std::optional<double> kdeAnimationDurationFactor(std::string_view kdeglobals);

} // namespace corvane
