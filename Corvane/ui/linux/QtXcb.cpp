#include "linux/QtXcb.h"

#include "apps/linux/X11Display.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>

namespace corvane {

xcb_connection_t* qtXcbConnection() {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

int qtDisplayScreen() {
    const char* display = std::getenv("DISPLAY");
    const auto name = parseDisplayName(display != nullptr ? display : "");
    return name ? name->screen : 0;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace corvane
