#pragma once

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace corvane {

/// Observes every left and right button press of the X display, whichever window it goes to,
/// through XInput 2 raw button events selected on the root window on Qt's own connection. Raw
/// events are copies: the window under the pointer still gets its click, and no grab is taken.
/// The selection exists exactly as long as the object. Main thread only.
class XRawButtonPresses final : public QAbstractNativeEventFilter {
public:
    /// Selects the events; `onPress` is called for each left or right button press. Null when the
    /// application does not run on an X server or the server lacks XInput.
    static std::unique_ptr<XRawButtonPresses> select(std::function<void()> onPress);
    ~XRawButtonPresses() override;
    XRawButtonPresses(const XRawButtonPresses&) = delete;
    XRawButtonPresses& operator=(const XRawButtonPresses&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    XRawButtonPresses(xcb_connection_t* connection, xcb_window_t root, std::uint8_t opcode,
                      std::function<void()> onPress);

    xcb_connection_t* connection_; // Qt's, which outlives this
    xcb_window_t root_;
    std::uint8_t opcode_; // XInput's major opcode, which tags its events
    std::function<void()> onPress_;
};

} // namespace corvane
