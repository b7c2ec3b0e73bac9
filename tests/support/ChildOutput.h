#pragma once

#include <chrono>
#include <string>

namespace corvane::test {

/// What a child process writes to `fd` within `time`: reading stops early once `until` (when not
/// empty) has been seen or the output ends.
std::string readFor(int fd, std::chrono::milliseconds time, const std::string& until = {});

} // namespace corvane::test
