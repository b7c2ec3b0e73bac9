#include "island/ReducedMotion.h"

#include <charconv>
#include <cmath>
#include <string>

namespace corvane {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<double> finiteNumber(std::string_view text) {
    double value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

/// The key of an entry line without KDE's option markers ("Key[$i]").
std::string_view entryKey(std::string_view key) {
    key = trimmed(key);
    const auto marker = key.find("[$");
    return marker == std::string_view::npos ? key : trimmed(key.substr(0, marker));
}

} // namespace

bool prefersReducedMotion(const MotionSettings& settings) {
    if (settings.gnomeEnableAnimations == false) return true;
    return settings.kdeAnimationDurationFactor.has_value() && *settings.kdeAnimationDurationFactor <= 0;
}

std::optional<double> kdeAnimationDurationFactor(std::string_view kdeglobals) {
    std::optional<double> factor;
    bool inKdeGroup = false;
    while (!kdeglobals.empty()) {
        const auto end = kdeglobals.find('\n');
        const std::string_view line = trimmed(kdeglobals.substr(0, end));
        kdeglobals = end == std::string_view::npos ? std::string_view{} : kdeglobals.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inKdeGroup = line == "[KDE]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inKdeGroup || equals == std::string_view::npos) continue;
        if (entryKey(line.substr(0, equals)) != "AnimationDurationFactor") continue;
        factor = finiteNumber(trimmed(line.substr(equals + 1)));
    }
    return factor;
}

} // namespace corvane
