#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace corvane::test {

/// A window's frame as the X server has it (root coordinates, the window manager's placement
/// applied).
struct WindowFrame {
    int x{-1};
    int y{-1};
    int width{-1};
    int height{-1};

    bool operator==(const WindowFrame&) const = default;
};

/// The ids of the windows of process `pid` that the X server shows (xdotool).
std::vector<std::string> visibleWindows(pid_t pid);

/// Where the X server has window `id` (xwininfo); all -1 when it has none.
WindowFrame serverFrame(const std::string& id);

/// True when window `id` has the keyboard (the window manager's active window).
bool hasKeyboard(const std::string& id);

} // namespace corvane::test
