#pragma once

#include <xcb/xcb.h>

#include <string>

namespace corvane {

/// Qt's own X connection; null when the application does not run on an X server.
xcb_connection_t* qtXcbConnection();

/// The screen Qt connected to: the one $DISPLAY names.
int qtDisplayScreen();

/// The atom named `name` (one round trip); XCB_ATOM_NONE on failure.
xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name);

} // namespace corvane
