#include "apps/ForceQuit.h"

#include "apps/QuitEligibility.h"

namespace corvane::ForceQuit {

bool run(const AppGroup& group, AppForceTerminating& terminator) {
    if (!isQuitEligible(group) || group.pids.empty()) return false;
    bool ended = false;
    for (const std::int32_t pid : group.pids) ended = terminator.forceTerminate(pid) || ended;
    return ended;
}

} // namespace corvane::ForceQuit
