#include "app/linux/SystemMonitorCommand.h"

#include "support/PathText.h"
#include "support/SplitText.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace corvane {

std::vector<std::string> systemMonitorCommand(const ProgramLookup& installed) {
    static constexpr std::array<std::string_view, 5> monitors{
        "gnome-system-monitor", "plasma-systemmonitor", "ksysguard", "xfce4-taskmanager", "mate-system-monitor"};
    for (const std::string_view monitor : monitors) {
        if (installed(monitor)) return {std::string(monitor)};
    }
    // Debian's x-terminal-emulator names whichever terminal the user chose; xterm is the fallback.
    static constexpr std::array<std::string_view, 2> terminals{"x-terminal-emulator", "xterm"};
    const std::string viewer = installed("htop") ? "htop" : "top";
    for (const std::string_view terminal : terminals) {
        if (installed(terminal)) return {std::string(terminal), "-e", viewer};
    }
    return {};
}

bool isOnSearchPath(std::string_view name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty() || name.find('/') != std::string_view::npos) return false;
    for (const std::string& folder : splitNonEmpty(path, ':')) {
        const std::string candidate = joinPath(folder, name);
        struct stat status {};
        if (::stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace corvane
