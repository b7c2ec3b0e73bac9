#pragma once

#include <string>
#include <vector>

namespace corvane::test {

/// The command that starts the real corvane as a desktop session would: `env -i` with HOME and
/// XDG_CONFIG_HOME in `home`, this process's X display and authority, both buses at
/// `busAddress`, `CORVANE_NOWARM`, this process's sanitizer options (so a sanitized child reports
/// as the test run asks), then the `extra` assignments, then corvane with `arguments`.
std::vector<std::string> desktopProgramCommand(const std::string& home, const std::string& busAddress,
                                               const std::vector<std::string>& arguments,
                                               const std::vector<std::string>& extra = {});

/// `argv` quoted for /bin/sh.
std::string shellLine(const std::vector<std::string>& argv);

} // namespace corvane::test
