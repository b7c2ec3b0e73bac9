#include "apps/WindowFacts.h"

#include "apps/linux/X11Connection.h"

namespace corvane {

std::optional<WindowFacts> readWindowFacts() {
    const auto x = X11Connection::open();
    if (!x) return std::nullopt;
    WindowFacts facts;
    for (const ClientWindow& window : x->clientWindows()) {
        if (!window.pid) continue;
        if (window.regular) facts.regularPIDs.insert(*window.pid);
        if (window.visible) facts.visiblePIDs.insert(*window.pid);
        // A regular window's class wins over a helper window's.
        if (window.windowClass && (window.regular || facts.windowClassByPID.count(*window.pid) == 0)) {
            facts.windowClassByPID[*window.pid] = *window.windowClass;
        }
    }
    return facts;
}

} // namespace corvane
