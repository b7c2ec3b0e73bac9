#include "ReducedMotionSetting.h"

#include "island/ReducedMotion.h"
#include "support/ChildProcess.h"
#include "support/HomeDirectory.h"
#include "support/PathText.h"
#include "support/RegularFile.h"

#include <unistd.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

namespace {

constexpr std::size_t kdeglobalsMaxBytes = std::size_t{1024} * 1024;

/// GNOME's switch, read by the `gsettings` tool in a child process: GSettings in this process
/// would start GLib's D-Bus, dconf and worker threads that then stay for the program's whole life.
/// Absent when the tool, the schema or the key is missing.
std::optional<bool> gnomeEnableAnimations() {
    std::vector<std::string> environment;
    for (char** entry = ::environ; entry != nullptr && *entry != nullptr; ++entry) environment.emplace_back(*entry);
    const auto result = runChild("/usr/bin/gsettings", {"get", "org.gnome.desktop.interface", "enable-animations"},
                                 environment, 2.0, 64);
    if (!result || result->code != 0) return std::nullopt;
    if (result->out == "true\n") return true;
    if (result->out == "false\n") return false;
    return std::nullopt;
}

std::optional<double> kdeAnimationDurationFactorOfUser() {
    const std::string config =
        absolutePathFromEnvironment("XDG_CONFIG_HOME").value_or(joinPath(homeDirectory(), ".config"));
    const auto text = readRegularFile(joinPath(config, "kdeglobals"), kdeglobalsMaxBytes);
    return text ? kdeAnimationDurationFactor(*text) : std::nullopt;
}

} // namespace

bool reducedMotion() {
    return prefersReducedMotion({gnomeEnableAnimations(), kdeAnimationDurationFactorOfUser()});
}

} // namespace corvane
