#include "support/ChildOutput.h"

#include <poll.h>
#include <unistd.h>

namespace corvane::test {

std::string readFor(int fd, std::chrono::milliseconds time, const std::string& until) {
    std::string seen;
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!until.empty() && seen.find(until) != std::string::npos) break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        char buffer[512];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) break;
        seen.append(buffer, static_cast<std::size_t>(got));
    }
    return seen;
}

} // namespace corvane::test
