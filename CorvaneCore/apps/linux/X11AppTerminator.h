#pragma once

#include "apps/AppTerminating.h"

namespace corvane {

/// Asks an X11 application to quit politely: an EWMH close request (`_NET_CLOSE_WINDOW`) for
/// every client window the process owns (as the X server establishes it, not as a window claims),
/// so the window manager delivers WM_DELETE_WINDOW and the application may ask to save. Processes
/// without a regular window are never addressed. Never signals. Opens its own connection per call;
/// callable from any thread.
class X11AppTerminator final : public AppTerminating {
public:
    /// True when at least one close request was sent.
    bool terminate(std::int32_t pid) override;
};

} // namespace corvane
