#include "linux/XRawButtonPresses.h"

#include "linux/QtX11Connection.h"

#include <QCoreApplication>

#include <xcb/xinput.h>

namespace corvane {

namespace {

constexpr std::uint32_t leftButton = 1;
constexpr std::uint32_t rightButton = 3;

/// Selects `events` for the master devices on `window`; 0 removes the selection. Qt keeps its own
/// selections on the root window under "all devices", a separate entry this leaves alone, and a
/// master device reports each press once whichever slave device made it.
void selectOnMasterDevices(xcb_connection_t* connection, xcb_window_t window, std::uint32_t events) {
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, events};
    xcb_input_xi_select_events(connection, window, 1, &mask.head);
    xcb_flush(connection);
}

} // namespace

std::unique_ptr<XRawButtonPresses> XRawButtonPresses::select(std::function<void()> onPress) {
    const auto x11 = QtX11Connection::get();
    if (!x11) return nullptr;
    // Qt has announced the XInput 2 version it speaks on this connection; announcing another one
    // would be refused, so none is announced here.
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(x11->connection, &xcb_input_id);
    if (xinput == nullptr || xinput->present == 0) return nullptr;
    selectOnMasterDevices(x11->connection, x11->root, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS);
    std::unique_ptr<XRawButtonPresses> presses(
        new XRawButtonPresses(x11->connection, x11->root, xinput->major_opcode, std::move(onPress)));
    QCoreApplication::instance()->installNativeEventFilter(presses.get());
    return presses;
}

XRawButtonPresses::XRawButtonPresses(xcb_connection_t* connection, xcb_window_t root, std::uint8_t opcode,
                                     std::function<void()> onPress)
    : connection_(connection), root_(root), opcode_(opcode), onPress_(std::move(onPress)) {}

XRawButtonPresses::~XRawButtonPresses() {
    // Without the application its connection is gone, and the selection with it.
    if (QCoreApplication::instance() == nullptr) return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    selectOnMasterDevices(connection_, root_, 0);
}

bool XRawButtonPresses::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC) return false;
    const auto* raw = static_cast<const xcb_input_raw_button_press_event_t*>(message);
    if (raw->extension != opcode_ || raw->event_type != XCB_INPUT_RAW_BUTTON_PRESS) return false;
    // Raw events carry the physical button, before any left-handed mapping: either main button
    // counts, the wheel's "buttons" do not.
    if (raw->detail == leftButton || raw->detail == rightButton) onPress_();
    return false;
}

} // namespace corvane
