#include "XWindowQueries.h"

#include "support/ShellCommand.h"

#include <sstream>

namespace corvane::test {

std::vector<std::string> visibleWindows(pid_t pid) {
    std::istringstream lines(runShell("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null").out);
    std::vector<std::string> ids;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) ids.push_back(line);
    return ids;
}

WindowFrame serverFrame(const std::string& id) {
    const std::string info = runShell("xwininfo -id " + id + " 2>/dev/null").out;
    const auto field = [&](const std::string& name) {
        const auto at = info.find(name);
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + name.size()));
    };
    return {field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"), field("Height:")};
}

bool hasKeyboard(const std::string& id) { return runShell("xdotool getactivewindow").out == id + "\n"; }

} // namespace corvane::test
