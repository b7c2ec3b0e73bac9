#include "CompositorPresence.h"

#include "linux/QtX11Connection.h"

#include <cstdlib>
#include <string>

namespace corvane {

bool compositorRunning() {
    const auto x11 = QtX11Connection::get();
    if (!x11) return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
    const xcb_atom_t selection = x11->atom("_NET_WM_CM_S" + std::to_string(x11->screen));
    if (selection == XCB_ATOM_NONE) return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(x11->connection, xcb_get_selection_owner(x11->connection, selection), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

} // namespace corvane
