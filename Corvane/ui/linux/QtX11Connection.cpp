#include "linux/QtX11Connection.h"

#include "apps/linux/X11Display.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <cstdint>
#include <cstdlib>

namespace corvane {

namespace {

int displayScreen() {
    const char* display = std::getenv("DISPLAY");
    const auto name = parseDisplayName(display != nullptr ? display : "");
    return name ? name->screen : 0;
}

xcb_window_t rootOf(xcb_connection_t* connection, int screen) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it)) {
        if (i == screen) return it.data->root;
    }
    return XCB_WINDOW_NONE;
}

} // namespace

std::optional<QtX11Connection> QtX11Connection::get() {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return std::nullopt;
    const int screen = displayScreen();
    const xcb_window_t root = rootOf(connection, screen);
    if (root == XCB_WINDOW_NONE) return std::nullopt;
    return QtX11Connection{connection, screen, root};
}

xcb_atom_t QtX11Connection::atom(const std::string& name) const {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace corvane
