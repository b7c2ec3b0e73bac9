#pragma once

#include <string>

namespace corvane::test {

/// How a shell command ended and what it printed.
struct ShellResult {
    /// The exit status; -1 when the command could not run or ended by a signal.
    int status{-1};
    /// Its standard output.
    std::string out;
};

/// Runs `command` with /bin/sh and collects its standard output.
ShellResult runShell(const std::string& command);

} // namespace corvane::test
