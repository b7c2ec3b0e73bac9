#include "apps/ForceQuit.h"

namespace corvane::ForceQuit {

bool run(const AppGroup& group, AppForceTerminating& terminator) {
    if (!group.isRegularApp || group.safety.isProtected() || group.pids.empty()) return false;
    bool ended = false;
    for (const std::int32_t pid : group.pids) ended = terminator.forceTerminate(pid) || ended;
    return ended;
}

} // namespace corvane::ForceQuit
