#include "CompositorPresence.h"

#include "linux/QtXcb.h"

#include <cstdlib>
#include <string>

namespace corvane {

bool compositorRunning() {
    xcb_connection_t* connection = qtXcbConnection();
    if (connection == nullptr) return false;
    // A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
    const xcb_atom_t selection = internAtom(connection, "_NET_WM_CM_S" + std::to_string(qtDisplayScreen()));
    if (selection == XCB_ATOM_NONE) return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

} // namespace corvane
