#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// How a finished child process ended and what it wrote.
struct ChildResult {
    /// Exit status; 128 + the signal number when a signal ended it.
    int code{};
    /// Standard output, at most the requested number of bytes (the rest is read and dropped).
    std::string out;
};

/// Runs `executable` with `arguments` (not including the program name) and exactly `environment`
/// ("NAME=value" strings), standard input and error on the null device, standard output
/// collected. Waits at most `timeout` seconds for the exit, then up to half a second more for
/// output still in the pipe. Absent when the program cannot be started or does not exit in time;
/// a late child and its process group are terminated (then killed). The child is always reaped.
/// Blocking; thread-safe.
std::optional<ChildResult> runChild(const std::string& executable, const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& environment, double timeout,
                                    std::size_t outputCap);

} // namespace corvane
