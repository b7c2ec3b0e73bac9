// A tiny X client for the window-system tests: one normal top-level window with the given
// WM_CLASS, _NET_WM_PID and WM_DELETE_WINDOW in WM_PROTOCOLS.
//
//   x_test_client CLASS honour|ignore|honour-nopid [OUTPUT COMMAND ARGS...]
//
// "honour" exits when the window manager delivers WM_DELETE_WINDOW; "ignore" keeps running;
// "honour-nopid" honours it but leaves _NET_WM_PID unset, as some toolkits do.
// With a command, the client starts it as its own child (standard output into OUTPUT), the way a
// terminal starts a program.
#include <xcb/xcb.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

void startChild(char* output, char** command) {
    const pid_t child = ::fork();
    if (child != 0) return;
    const int fd = ::open(output, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) ::dup2(fd, STDOUT_FILENO);
    ::execv(command[0], command);
    ::_exit(127);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string windowClass = argv[1];
    const bool honour = std::strncmp(argv[2], "honour", 6) == 0;
    const bool announcesPid = std::strcmp(argv[2], "honour-nopid") != 0;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) return 3;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);

    std::string classValue = windowClass;
    classValue += '\0';
    classValue += windowClass;
    classValue += '\0';
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(classValue.size()), classValue.data());
    const std::uint32_t pid = static_cast<std::uint32_t>(::getpid());
    if (announcesPid) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    }
    const xcb_atom_t deleteWindow = atom(c, "WM_DELETE_WINDOW");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);
    xcb_map_window(c, window);
    xcb_flush(c);

    bool childStarted = argc < 5;
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        // The command starts once the window manager has mapped the window, as a terminal's
        // programs start once the terminal is on screen.
        if (!childStarted && (event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            startChild(argv[3], argv + 4);
            childStarted = true;
        }
        const bool isDelete = (event->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
                              reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow;
        std::free(event);
        if (isDelete && honour) {
            xcb_disconnect(c);
            return 0;
        }
    }
    xcb_disconnect(c);
    return 1;
}
