#include "app/DebugEnv.h"
#include "app/DisplayChoice.h"
#include "apps/linux/X11Connection.h"

#include <sys/stat.h>

namespace corvane {
namespace {

std::optional<std::string> nonEmpty(const DebugEnv::Environment& env, const std::string& name) {
    const auto found = env.find(name);
    if (found == env.end() || found->second.empty()) return std::nullopt;
    return found->second;
}

// A relative $WAYLAND_DISPLAY names a socket in $XDG_RUNTIME_DIR.
bool waylandSocketExists(const DebugEnv::Environment& env) {
    const auto display = nonEmpty(env, "WAYLAND_DISPLAY");
    if (!display) return false;
    std::string path = *display;
    if (!path.starts_with('/')) {
        const auto runtime = nonEmpty(env, "XDG_RUNTIME_DIR");
        if (!runtime) return false;
        path = *runtime + "/" + path;
    }
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

} // namespace

DisplayFacts currentDisplayFacts() {
    const DebugEnv::Environment& env = DebugEnv::env();
    DisplayFacts facts;
    facts.configuredPlatform = nonEmpty(env, "QT_QPA_PLATFORM");
    facts.x11Reachable = nonEmpty(env, "DISPLAY") && X11Connection::open() != nullptr;
    facts.waylandReachable = waylandSocketExists(env);
    facts.session = {nonEmpty(env, "XDG_SESSION_TYPE"), nonEmpty(env, "WAYLAND_DISPLAY")};
    return facts;
}

} // namespace corvane
