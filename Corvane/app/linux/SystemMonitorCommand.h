#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Whether a program of that name can be run (found on the search path).
using ProgramLookup = std::function<bool(std::string_view name)>;

/// The command that opens the desktop's system monitor: the first installed of the desktops'
/// own monitors, else a terminal running htop (else top). Empty when none of these exists.
std::vector<std::string> systemMonitorCommand(const ProgramLookup& installed);

/// Whether `name` is an executable file in one of the folders of `$PATH`.
bool isOnSearchPath(std::string_view name);

} // namespace corvane
