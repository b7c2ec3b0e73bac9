#pragma once

#include <optional>
#include <string>

namespace corvane {

/// An authorization to present when connecting to an X server.
struct X11Authority {
    /// The protocol's name ("MIT-MAGIC-COOKIE-1").
    std::string name;
    std::string data;
};

/// The user's MIT-MAGIC-COOKIE-1 for display number `display` reached over the connected socket
/// `socket`, from $XAUTHORITY (else ~/.Xauthority), matched by address as Xlib and xcb match it (a
/// local or loopback connection by this host's name); absent when there is none, and the server is
/// then asked without authorization.
std::optional<X11Authority> findX11Authority(int socket, int display);

} // namespace corvane
