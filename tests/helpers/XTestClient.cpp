// A tiny X client for the window-system tests: one normal top-level window with the given
// WM_CLASS, _NET_WM_PID, WM_CLIENT_MACHINE and WM_DELETE_WINDOW in WM_PROTOCOLS.
//
//   x_test_client CLASS MODE[,OPTION...] [OUTPUT COMMAND ARGS...]
//
// MODE "honour" exits when the window manager delivers WM_DELETE_WINDOW; "ignore" keeps running.
// Options change what the window says about itself: "nopid" leaves _NET_WM_PID unset, as some
// toolkits do; "pid=N" claims process N instead of the client's own; "machine=NAME" names another
// WM_CLIENT_MACHINE than this host's name; "nomachine" leaves it unset.
// With a command, the client starts it as its own child (standard output into OUTPUT), the way a
// terminal starts a program.
#include <xcb/xcb.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
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

/// What the window says about itself.
struct Claims {
    bool honour{false};
    std::optional<std::uint32_t> pid = static_cast<std::uint32_t>(::getpid());
    std::optional<std::string> machine;
};

Claims parseMode(const std::string& mode) {
    Claims claims;
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) claims.machine = host;
    std::size_t at = 0;
    while (at <= mode.size()) {
        const std::size_t end = std::min(mode.find(',', at), mode.size());
        const std::string word = mode.substr(at, end - at);
        if (word == "honour") claims.honour = true;
        else if (word == "nopid") claims.pid.reset();
        else if (word.rfind("pid=", 0) == 0) claims.pid = static_cast<std::uint32_t>(std::stoul(word.substr(4)));
        else if (word == "nomachine") claims.machine.reset();
        else if (word.rfind("machine=", 0) == 0) claims.machine = word.substr(8);
        at = end + 1;
    }
    return claims;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string windowClass = argv[1];
    const Claims claims = parseMode(argv[2]);

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
    if (claims.pid) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1,
                            &*claims.pid);
    }
    if (claims.machine) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
                            static_cast<std::uint32_t>(claims.machine->size()), claims.machine->data());
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
        if (isDelete && claims.honour) {
            xcb_disconnect(c);
            return 0;
        }
    }
    xcb_disconnect(c);
    return 1;
}
