#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The EWMH facts of one client window.
struct ClientWindow {
    xcb_window_t window{};
    /// The owning process as the server establishes it (see `establishedOwner`); absent when
    /// ownership is not established. `_NET_WM_PID` alone is never trusted.
    std::optional<std::int32_t> pid;
    /// Normal or untyped, and not skipped by the task bar.
    bool regular{false};
    /// Regular, not hidden, and on the current desktop or on all desktops.
    bool visible{false};
    /// The class part of WM_CLASS; absent when unset.
    std::optional<std::string> windowClass;
};

struct X11DisplayName;

/// A private connection to the X server with the EWMH atoms interned; closed on destruction.
/// One thread at a time.
class X11Connection {
public:
    /// Connects to $DISPLAY; null when there is no X server to talk to. A server that has not
    /// accepted and answered within about a second counts as none, and for the next 30 seconds
    /// that display is not tried again by any caller in this process.
    static std::unique_ptr<X11Connection> open();
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    /// The raw connection and its EWMH atoms, owned by this object.
    xcb_connection_t* xcb() const { return connection_; }
    xcb_ewmh_connection_t* ewmh() { return &ewmh_; }
    /// The default screen and its root window.
    int screen() const { return screen_; }
    xcb_window_t root() const;
    /// True once the connection has failed; every later request is then a no-op.
    bool broken() const { return xcb_connection_has_error(connection_) != 0; }

    /// The windows of the root's _NET_CLIENT_LIST with their facts (requests pipelined).
    std::vector<ClientWindow> clientWindows();
    /// The root's _NET_ACTIVE_WINDOW; absent when unset or none.
    std::optional<xcb_window_t> activeWindow();
    /// The facts of one window.
    ClientWindow describe(xcb_window_t window);
    /// Queues a `_NET_CLOSE_WINDOW` request for `window` to the window manager; `sync` delivers it.
    void requestClose(xcb_window_t window);
    /// Waits until the server has processed every request sent so far (a server may drop the
    /// requests of a client that disconnects right after sending them); false on a broken connection.
    bool sync();

private:
    X11Connection(xcb_connection_t* connection, int screen);
    static std::unique_ptr<X11Connection> connect(const X11DisplayName& name,
                                                  std::chrono::steady_clock::time_point deadline);
    std::vector<ClientWindow> describeAll(const std::vector<xcb_window_t>& windows);

    xcb_connection_t* connection_;
    int screen_;
    xcb_ewmh_connection_t ewmh_{};
    bool ewmhReady_{false};
    /// The server offers X-Resource (a request of a missing extension would close the connection).
    bool hasXResource_{false};
};

/// The class part of a WM_CLASS value ("instance\0class\0"); absent when missing or empty. Pure.
std::optional<std::string> windowClassFromProperty(const char* data, std::size_t length);

} // namespace corvane
