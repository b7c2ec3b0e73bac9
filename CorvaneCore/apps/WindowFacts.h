#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace corvane {

/// What the window system says about processes, read once per scan.
struct WindowFacts {
    /// Processes owning a regular application window (normal type, listed in the task bar).
    std::set<std::int32_t> regularPIDs;
    /// Processes owning a regular window that is not hidden and is on the current desktop.
    std::set<std::int32_t> visiblePIDs;
    /// The window class (application part of WM_CLASS) of a client window each process owns.
    std::map<std::int32_t, std::string> windowClassByPID;

    bool operator==(const WindowFacts&) const = default;
};

/// The live window system's facts; absent when no window system can be reached (no X server).
/// Uses a connection of its own for the call; callable from any thread.
std::optional<WindowFacts> readWindowFacts();

} // namespace corvane
