#include "app/DisplayChoice.h"

namespace corvane {

DisplayChoice chooseDisplay(const DisplayFacts& facts) {
    if (facts.configuredPlatform) {
        const std::string& platform = *facts.configuredPlatform;
        if (platform.starts_with("xcb")) return {facts.x11Reachable, std::nullopt};
        if (platform.starts_with("wayland")) return {facts.waylandReachable, std::nullopt};
        return {true, std::nullopt}; // offscreen, vnc, ...: the user's platform needs no display of ours
    }
    if (facts.x11Reachable) return {true, facts.session.isWayland() ? std::optional<std::string>("xcb") : std::nullopt};
    if (facts.waylandReachable) return {true, "wayland"};
    return {false, std::nullopt};
}

} // namespace corvane
