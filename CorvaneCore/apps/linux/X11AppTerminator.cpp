#include "apps/linux/X11AppTerminator.h"

#include "apps/linux/X11Connection.h"

#include <algorithm>

namespace corvane {

bool X11AppTerminator::terminate(std::int32_t pid) {
    const auto x = X11Connection::open();
    if (!x) return false;
    std::vector<ClientWindow> owned;
    for (ClientWindow& window : x->clientWindows()) {
        if (window.pid == pid) owned.push_back(window);
    }
    if (std::none_of(owned.begin(), owned.end(), [](const ClientWindow& w) { return w.regular; })) return false;
    for (const ClientWindow& window : owned) x->requestClose(window.window);
    return x->sync();
}

} // namespace corvane
