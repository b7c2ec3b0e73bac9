#include "linux/XCurrentDesktop.h"

#include "linux/QtX11Connection.h"

#include <QCoreApplication>

#include <cstdlib>

namespace corvane {

namespace {

/// Adds property changes to this client's events of `window`, keeping those Qt selected there:
/// the event mask of a window is one per client, shared with Qt on its connection.
void addPropertyChanges(xcb_connection_t* connection, xcb_window_t window) {
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    const std::uint32_t current = attributes != nullptr ? attributes->your_event_mask : 0;
    std::free(attributes);
    if ((current & XCB_EVENT_MASK_PROPERTY_CHANGE) != 0) return;
    const std::uint32_t mask = current | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

} // namespace

std::unique_ptr<XCurrentDesktop> XCurrentDesktop::watch(std::function<void()> onSwitch) {
    const auto x11 = QtX11Connection::get();
    if (!x11) return nullptr;
    const xcb_atom_t property = x11->atom("_NET_CURRENT_DESKTOP");
    if (property == XCB_ATOM_NONE) return nullptr;
    addPropertyChanges(x11->connection, x11->root);
    std::unique_ptr<XCurrentDesktop> watcher(
        new XCurrentDesktop(x11->connection, x11->root, property, std::move(onSwitch)));
    QCoreApplication::instance()->installNativeEventFilter(watcher.get());
    return watcher;
}

XCurrentDesktop::XCurrentDesktop(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t property,
                                 std::function<void()> onSwitch)
    : connection_(connection), root_(root), property_(property), onSwitch_(std::move(onSwitch)) {
    desktop_ = read();
}

XCurrentDesktop::~XCurrentDesktop() {
    // Qt keeps its own interest in the root window's property changes, so the mask stays.
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<std::uint32_t> XCurrentDesktop::read() const {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, property_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    std::optional<std::uint32_t> value;
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
        value = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    }
    std::free(reply);
    return value;
}

bool XCurrentDesktop::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (notify->window != root_ || notify->atom != property_) return false;
    const auto now = read();
    if (!now || now == desktop_) return false;
    const bool switched = desktop_.has_value();
    desktop_ = now;
    if (switched) onSwitch_();
    return false;
}

} // namespace corvane
