#include "linux/XPointerStrip.h"

#include "linux/QtX11Connection.h"

#include <QCoreApplication>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvane {

namespace {

constexpr xcb_button_t leftButton = 1;

/// Names the owning process (`_NET_WM_PID`), which tools use to tell whose window it is.
void namePid(const QtX11Connection& x11, xcb_window_t window) {
    const xcb_atom_t pidAtom = x11.atom("_NET_WM_PID");
    if (pidAtom == XCB_ATOM_NONE) return;
    const auto pid = static_cast<std::uint32_t>(::getpid());
    xcb_change_property(x11.connection, XCB_PROP_MODE_REPLACE, window, pidAtom, XCB_ATOM_CARDINAL, 32, 1, &pid);
}

} // namespace

std::unique_ptr<XPointerStrip> XPointerStrip::create(Reports reports) {
    const auto x11 = QtX11Connection::get();
    if (!x11) return nullptr;
    const xcb_window_t window = xcb_generate_id(x11->connection);
    // Value order follows the bits: override-redirect, then the event mask.
    const std::array<std::uint32_t, 2> values{
        1, XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_BUTTON_PRESS};
    xcb_create_window(x11->connection, XCB_COPY_FROM_PARENT, window, x11->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
                      XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values.data());
    namePid(*x11, window);
    xcb_flush(x11->connection);
    std::unique_ptr<XPointerStrip> strip(new XPointerStrip(x11->connection, window, std::move(reports)));
    QCoreApplication::instance()->installNativeEventFilter(strip.get());
    return strip;
}

XPointerStrip::XPointerStrip(xcb_connection_t* connection, xcb_window_t window, Reports reports)
    : connection_(connection), window_(window), reports_(std::move(reports)) {}

XPointerStrip::~XPointerStrip() {
    // Without the application its connection is gone, and the window with it.
    if (QCoreApplication::instance() == nullptr) return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    xcb_destroy_window(connection_, window_);
    xcb_flush(connection_);
}

void XPointerStrip::place(int x, int y, int width, int height) {
    const std::array<std::uint32_t, 4> values{static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                              static_cast<std::uint32_t>(std::max(width, 1)),
                                              static_cast<std::uint32_t>(std::max(height, 1))};
    xcb_configure_window(connection_, window_,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values.data());
    xcb_flush(connection_);
}

void XPointerStrip::show() {
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_map_window(connection_, window_);
    xcb_flush(connection_);
}

void XPointerStrip::hide() {
    xcb_unmap_window(connection_, window_);
    xcb_flush(connection_);
    setInside(false);
}

void XPointerStrip::setInside(bool inside) {
    if (inside == inside_) return;
    inside_ = inside;
    if (inside) reports_.entered();
    else reports_.exited();
}

bool XPointerStrip::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
    case XCB_ENTER_NOTIFY: {
        const auto* enter = static_cast<const xcb_enter_notify_event_t*>(message);
        if (enter->event != window_) return false;
        // Entering from a child cannot happen on a window without children; the pointer coming
        // back when another client's grab ends is an entry like any other.
        setInside(true);
        return true;
    }
    case XCB_LEAVE_NOTIFY: {
        const auto* leave = static_cast<const xcb_leave_notify_event_t*>(message);
        if (leave->event != window_) return false;
        // A grab by another client (a menu, a drag) takes the pointer away as surely as moving
        // off does, and no leave would follow when the pointer moves off during that grab.
        if (leave->detail != XCB_NOTIFY_DETAIL_INFERIOR) setInside(false);
        return true;
    }
    case XCB_BUTTON_PRESS: {
        const auto* press = static_cast<const xcb_button_press_event_t*>(message);
        if (press->event != window_) return false;
        if (press->detail == leftButton) reports_.leftPressed();
        return true;
    }
    default:
        return false;
    }
}

} // namespace corvane
