#pragma once

#include <xcb/xcb.h>

#include <optional>
#include <string>

namespace corvane {

/// Qt's own X connection and the screen of the display the application runs on. Window-system
/// watchers share this connection (no connection of their own) and read its events through a
/// native event filter. Main thread only.
struct QtX11Connection {
    /// Qt's connection, which outlives the application's windows and every watcher.
    xcb_connection_t* connection{};
    /// The number of the screen $DISPLAY names (Qt's own choice of screen) and its root window.
    int screen{};
    xcb_window_t root{XCB_WINDOW_NONE};

    /// The connection of a running QGuiApplication on an X server; absent otherwise.
    static std::optional<QtX11Connection> get();

    /// The atom named `name`, created when missing; `XCB_ATOM_NONE` when the server did not answer.
    xcb_atom_t atom(const std::string& name) const;
};

} // namespace corvane
