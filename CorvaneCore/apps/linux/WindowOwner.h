#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What the X server and the window itself say about which process owns a window.
struct WindowOwnerEvidence {
    /// The server offers the X-Resource extension.
    bool serverKnowsClients{false};
    /// The process the server found at the local end of the client's socket (X-Resource); absent
    /// when it could not tell, as for a client connected over the network.
    std::optional<std::int32_t> serverPID;
    /// `_NET_WM_PID`, whatever the client wrote.
    std::optional<std::int32_t> claimedPID;
    /// `WM_CLIENT_MACHINE`, whatever the client wrote.
    std::optional<std::string> clientMachine;
};

/// The process that owns the window, where that can be established; absent otherwise. A window
/// that names another machine has no local owner (at most a forwarding proxy sits at the
/// socket). Otherwise the server's answer is the owner when it offers X-Resource, and the
/// claimed process only without X-Resource and when the window names this host. Pure.
std::optional<std::int32_t> establishedOwner(const WindowOwnerEvidence& evidence, std::string_view hostName);

/// Whether a `WM_CLIENT_MACHINE` value names the host `hostName`; either may carry a domain
/// ("box" names "box.example.org"). Pure.
bool namesHost(std::string_view machine, std::string_view hostName);

} // namespace corvane
