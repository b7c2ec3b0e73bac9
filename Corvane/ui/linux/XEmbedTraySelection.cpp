#include "linux/XEmbedTraySelection.h"

#include "linux/QtXcb.h"

#include <QCoreApplication>

#include <xcb/xfixes.h>

#include <cstdlib>
#include <string>

namespace corvane {

namespace {

xcb_window_t rootOf(xcb_connection_t* connection, int screen) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it)) {
        if (i == screen) return it.data->root;
    }
    return XCB_WINDOW_NONE;
}

} // namespace

std::unique_ptr<XEmbedTraySelection> XEmbedTraySelection::watch(std::function<void(bool owned)> onChange) {
    xcb_connection_t* connection = qtXcbConnection();
    if (connection == nullptr) return nullptr;
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (xfixes == nullptr || xfixes->present == 0) return nullptr;
    // Every client announces the XFixes version it speaks before using it (Qt has, harmlessly again).
    std::free(xcb_xfixes_query_version_reply(
        connection, xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION), nullptr));
    const int screen = qtDisplayScreen();
    const xcb_window_t root = rootOf(connection, screen);
    const xcb_atom_t selection = internAtom(connection, "_NET_SYSTEM_TRAY_S" + std::to_string(screen));
    if (root == XCB_WINDOW_NONE || selection == XCB_ATOM_NONE) return nullptr;
    xcb_xfixes_select_selection_input(connection, root, selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(connection);
    std::unique_ptr<XEmbedTraySelection> watcher(new XEmbedTraySelection(
        connection, selection, static_cast<std::uint8_t>(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY),
        std::move(onChange)));
    QCoreApplication::instance()->installNativeEventFilter(watcher.get());
    return watcher;
}

XEmbedTraySelection::XEmbedTraySelection(xcb_connection_t* connection, xcb_atom_t selection,
                                         std::uint8_t selectionNotify, std::function<void(bool)> onChange)
    : connection_(connection), selection_(selection), selectionNotify_(selectionNotify),
      onChange_(std::move(onChange)) {}

XEmbedTraySelection::~XEmbedTraySelection() {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XEmbedTraySelection::owned() const {
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, selection_), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

bool XEmbedTraySelection::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != selectionNotify_) return false;
    const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
    if (notify->selection != selection_) return false;
    // A destroyed owner window or a closed owner client leaves the selection without owner.
    onChange_(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER && notify->owner != XCB_WINDOW_NONE);
    return false;
}

} // namespace corvane
