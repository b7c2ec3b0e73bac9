#pragma once

#include "support/UniqueFd.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// One place where an X display may listen.
struct X11Endpoint {
    enum class Kind { abstractSocket, socketFile, tcp };
    Kind kind{Kind::socketFile};
    /// The socket's path (an abstract socket's name without its leading NUL), or the host name.
    std::string address;
    /// The TCP port; 0 for local sockets.
    std::uint16_t port{};

    bool operator==(const X11Endpoint&) const = default;
};

/// A DISPLAY value taken apart.
struct X11DisplayName {
    /// Where to connect, in the order to try.
    std::vector<X11Endpoint> endpoints;
    int display{};
    int screen{};
};

/// The endpoints of a DISPLAY value ("[protocol/][host]:display[.screen]") in the order xcb tries
/// them: for a local display ("" or "unix" as host) the abstract socket and the socket file
/// /tmp/.X11-unix/X<display>, then, without a host, TCP on localhost; for any other host TCP on
/// port 6000 + display ("[::1]" for an IPv6 address). Absent when the value cannot be parsed. Pure.
std::optional<X11DisplayName> parseDisplayName(const std::string& display);

/// A connected stream socket (non-blocking, close-on-exec) to the first endpoint that accepts
/// before `deadline`; invalid when none does. Host names are resolved by the system's resolver.
UniqueFd connectToDisplay(const std::vector<X11Endpoint>& endpoints, std::chrono::steady_clock::time_point deadline);

} // namespace corvane
