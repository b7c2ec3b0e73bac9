#pragma once

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

#include <functional>
#include <memory>

namespace corvane {

/// An InputOnly, override-redirect child of the root window on Qt's own X connection: the
/// server never draws it, so it hides nothing of what lies beneath, yet it receives the pointer
/// entering, leaving and pressing on it. Presses of other windows are not taken (an InputOnly
/// window only gets presses made on itself). The window exists exactly as long as the object.
/// Main thread only.
class XPointerStrip final : public QAbstractNativeEventFilter {
public:
    /// What the strip reports; each is called on the main thread from Qt's event loop.
    struct Reports {
        std::function<void()> entered;
        std::function<void()> exited;
        /// A press of the (logical) left button on the strip.
        std::function<void()> leftPressed;
    };

    /// Creates the window, unmapped. Null when the application does not run on an X server.
    static std::unique_ptr<XPointerStrip> create(Reports reports);
    ~XPointerStrip() override;
    XPointerStrip(const XPointerStrip&) = delete;
    XPointerStrip& operator=(const XPointerStrip&) = delete;

    /// Moves and sizes the window; root coordinates in the server's pixels.
    void place(int x, int y, int width, int height);
    /// Raises the window above its siblings and maps it. The server reports the pointer entering
    /// when it is already there.
    void show();
    /// Unmaps the window; when the pointer was on it, `exited` is reported now.
    void hide();
    /// True while the pointer is on the mapped window.
    bool pointerInside() const { return inside_; }
    xcb_window_t window() const { return window_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    XPointerStrip(xcb_connection_t* connection, xcb_window_t window, Reports reports);
    void setInside(bool inside);

    xcb_connection_t* connection_; // Qt's, which outlives this
    xcb_window_t window_;
    Reports reports_;
    bool inside_{false};
};

} // namespace corvane
