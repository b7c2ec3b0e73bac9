#include "DesktopProgramCommand.h"

#include <cstdlib>

namespace corvane::test {

std::vector<std::string> desktopProgramCommand(const std::string& home, const std::string& busAddress,
                                               const std::vector<std::string>& arguments,
                                               const std::vector<std::string>& extra) {
    std::vector<std::string> argv{"env",
                                  "-i",
                                  "HOME=" + home,
                                  "XDG_CONFIG_HOME=" + home + "/.config",
                                  "PATH=/usr/bin:/bin",
                                  std::string("DISPLAY=") + std::getenv("DISPLAY"),
                                  std::string("XAUTHORITY=") + std::getenv("XAUTHORITY"),
                                  "DBUS_SESSION_BUS_ADDRESS=" + busAddress,
                                  "DBUS_SYSTEM_BUS_ADDRESS=" + busAddress,
                                  "CORVANE_NOWARM=1"};
    for (const char* sanitizer : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"}) {
        if (const char* value = std::getenv(sanitizer)) argv.push_back(std::string(sanitizer) + "=" + value);
    }
    argv.insert(argv.end(), extra.begin(), extra.end());
    argv.emplace_back(CORVANE_EXECUTABLE);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

std::string shellLine(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& word : argv) line += "'" + word + "' ";
    return line;
}

} // namespace corvane::test
