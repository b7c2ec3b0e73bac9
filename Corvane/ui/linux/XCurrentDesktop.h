#pragma once

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

/// Follows the window manager's `_NET_CURRENT_DESKTOP` on the root window through property
/// change events on Qt's own connection (no polling, no connection of its own). Main thread only.
class XCurrentDesktop final : public QAbstractNativeEventFilter {
public:
    /// Starts watching; `onSwitch` is called each time the current desktop becomes another one.
    /// A property that disappears (the window manager quits) and comes back with the same value
    /// is no switch. Null when the application does not run on an X server.
    static std::unique_ptr<XCurrentDesktop> watch(std::function<void()> onSwitch);
    ~XCurrentDesktop() override;
    XCurrentDesktop(const XCurrentDesktop&) = delete;
    XCurrentDesktop& operator=(const XCurrentDesktop&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    XCurrentDesktop(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t property,
                    std::function<void()> onSwitch);
    /// The property's value now (one round trip); absent when it is not set.
    std::optional<std::uint32_t> read() const;

    xcb_connection_t* connection_; // Qt's, which outlives this
    xcb_window_t root_;
    xcb_atom_t property_;
    /// The last value seen.
    std::optional<std::uint32_t> desktop_;
    std::function<void()> onSwitch_;
};

} // namespace corvane
