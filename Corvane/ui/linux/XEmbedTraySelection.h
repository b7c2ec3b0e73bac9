#pragma once

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace corvane {

/// Follows the owner of the XEmbed tray selection `_NET_SYSTEM_TRAY_S<screen>` of the X display
/// the application runs on, through XFixes selection events on Qt's own connection (no polling,
/// no connection of its own). Main thread only.
class XEmbedTraySelection final : public QAbstractNativeEventFilter {
public:
    /// Starts watching; `onChange` is called with whether the selection has an owner each time
    /// that changes. Null when the application does not run on an X server or the server lacks
    /// XFixes.
    static std::unique_ptr<XEmbedTraySelection> watch(std::function<void(bool owned)> onChange);
    ~XEmbedTraySelection() override;
    XEmbedTraySelection(const XEmbedTraySelection&) = delete;
    XEmbedTraySelection& operator=(const XEmbedTraySelection&) = delete;

    /// Asks the server whether the selection has an owner now (one round trip).
    bool owned() const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    XEmbedTraySelection(xcb_connection_t* connection, xcb_atom_t selection, std::uint8_t selectionNotify,
                        std::function<void(bool)> onChange);

    xcb_connection_t* connection_; // Qt's, which outlives the application's windows and this
    xcb_atom_t selection_;
    std::uint8_t selectionNotify_; // the event code of XFixes selection notifications
    std::function<void(bool)> onChange_;
};

} // namespace corvane
