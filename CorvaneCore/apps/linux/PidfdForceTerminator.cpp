#include "apps/linux/PidfdForceTerminator.h"

#include "support/UniqueFd.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>

namespace corvane {

PidfdForceTerminator::PidfdForceTerminator(std::function<std::optional<WindowFacts>()> windowFacts)
    : windowFacts_(std::move(windowFacts)) {}

bool PidfdForceTerminator::forceTerminate(std::int32_t pid) {
    if (pid <= 0) return false;
    // The pidfd is taken before the window check, so the process checked is the process signalled.
    const UniqueFd pidfd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    if (!pidfd) return false;
    const auto facts = windowFacts_ ? windowFacts_() : std::nullopt;
    if (!facts || facts->regularPIDs.count(pid) == 0) return false;
    return ::syscall(SYS_pidfd_send_signal, pidfd.get(), SIGKILL, nullptr, 0) == 0;
}

} // namespace corvane
