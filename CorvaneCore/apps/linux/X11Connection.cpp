#include "apps/linux/X11Connection.h"

#include <xcb/res.h>

#include <cstdlib>
#include <cstring>

namespace corvane {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

/// Every request a window's description needs, sent before any reply is awaited.
struct Pending {
    xcb_get_property_cookie_t pid, type, state, desktop, windowClass;
};

bool contains(const xcb_ewmh_get_atoms_reply_t& atoms, xcb_atom_t atom) {
    for (std::uint32_t i = 0; i < atoms.atoms_len; ++i) {
        if (atoms.atoms[i] == atom) return true;
    }
    return false;
}

constexpr std::uint32_t kAllDesktops = 0xFFFFFFFFu;

} // namespace

std::optional<std::string> windowClassFromProperty(const char* data, std::size_t length) {
    const void* firstNull = std::memchr(data, '\0', length);
    if (firstNull == nullptr) return std::nullopt;
    const std::size_t start = static_cast<std::size_t>(static_cast<const char*>(firstNull) - data) + 1;
    if (start >= length) return std::nullopt;
    std::size_t end = start;
    while (end < length && data[end] != '\0') ++end;
    if (end == start) return std::nullopt;
    return std::string(data + start, end - start);
}

std::unique_ptr<X11Connection> X11Connection::open() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return nullptr;
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(display, &screen);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    std::unique_ptr<X11Connection> x(new X11Connection(connection, screen));
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection, &x->ewmh_);
    x->ewmhReady_ = cookies != nullptr && xcb_ewmh_init_atoms_replies(&x->ewmh_, cookies, nullptr) != 0;
    if (!x->ewmhReady_ || x->broken() || screen < 0 || screen >= x->ewmh_.nb_screens) return nullptr;
    return x;
}

X11Connection::X11Connection(xcb_connection_t* connection, int screen) : connection_(connection), screen_(screen) {}

X11Connection::~X11Connection() {
    if (ewmhReady_) xcb_ewmh_connection_wipe(&ewmh_);
    xcb_disconnect(connection_);
}

xcb_window_t X11Connection::root() const {
    return ewmh_.screens[screen_]->root;
}

std::vector<ClientWindow> X11Connection::clientWindows() {
    xcb_ewmh_get_windows_reply_t list{};
    if (xcb_ewmh_get_client_list_reply(&ewmh_, xcb_ewmh_get_client_list(&ewmh_, screen_), &list, nullptr) == 0) {
        return {};
    }
    std::vector<xcb_window_t> windows(list.windows, list.windows + list.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&list);
    return describeAll(windows);
}

std::optional<xcb_window_t> X11Connection::activeWindow() {
    xcb_window_t window = XCB_WINDOW_NONE;
    if (xcb_ewmh_get_active_window_reply(&ewmh_, xcb_ewmh_get_active_window(&ewmh_, screen_), &window, nullptr) == 0 ||
        window == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    return window;
}

ClientWindow X11Connection::describe(xcb_window_t window) {
    return describeAll({window}).front();
}

std::vector<ClientWindow> X11Connection::describeAll(const std::vector<xcb_window_t>& windows) {
    std::uint32_t currentDesktop = 0;
    const auto desktopCookie = xcb_ewmh_get_current_desktop(&ewmh_, screen_);
    std::vector<Pending> pending;
    pending.reserve(windows.size());
    for (const xcb_window_t w : windows) {
        pending.push_back({xcb_ewmh_get_wm_pid(&ewmh_, w), xcb_ewmh_get_wm_window_type(&ewmh_, w),
                           xcb_ewmh_get_wm_state(&ewmh_, w), xcb_ewmh_get_wm_desktop(&ewmh_, w),
                           xcb_get_property(connection_, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256)});
    }
    const bool knowsDesktop = xcb_ewmh_get_current_desktop_reply(&ewmh_, desktopCookie, &currentDesktop, nullptr) != 0;

    std::vector<ClientWindow> result;
    result.reserve(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ClientWindow c;
        c.window = windows[i];
        std::uint32_t pid = 0;
        if (xcb_ewmh_get_wm_pid_reply(&ewmh_, pending[i].pid, &pid, nullptr) != 0 && pid > 0) {
            c.pid = static_cast<std::int32_t>(pid);
        }

        bool normalType = true;
        xcb_ewmh_get_atoms_reply_t atoms{};
        if (xcb_ewmh_get_wm_window_type_reply(&ewmh_, pending[i].type, &atoms, nullptr) != 0) {
            normalType = atoms.atoms_len == 0 || contains(atoms, ewmh_._NET_WM_WINDOW_TYPE_NORMAL);
            xcb_ewmh_get_atoms_reply_wipe(&atoms);
        }
        bool skipTaskbar = false;
        bool hidden = false;
        if (xcb_ewmh_get_wm_state_reply(&ewmh_, pending[i].state, &atoms, nullptr) != 0) {
            skipTaskbar = contains(atoms, ewmh_._NET_WM_STATE_SKIP_TASKBAR);
            hidden = contains(atoms, ewmh_._NET_WM_STATE_HIDDEN);
            xcb_ewmh_get_atoms_reply_wipe(&atoms);
        }
        std::uint32_t desktop = 0;
        const bool hasDesktop = xcb_ewmh_get_wm_desktop_reply(&ewmh_, pending[i].desktop, &desktop, nullptr) != 0;
        const bool onCurrentDesktop = !hasDesktop || !knowsDesktop || desktop == kAllDesktops || desktop == currentDesktop;

        c.regular = normalType && !skipTaskbar;
        c.visible = c.regular && !hidden && onCurrentDesktop;

        if (Reply<xcb_get_property_reply_t> prop{xcb_get_property_reply(connection_, pending[i].windowClass, nullptr)}) {
            const int length = xcb_get_property_value_length(prop.get());
            if (length > 0) {
                c.windowClass = windowClassFromProperty(static_cast<const char*>(xcb_get_property_value(prop.get())),
                                                        static_cast<std::size_t>(length));
            }
        }
        if (!c.pid) c.pid = resourcePID(c.window);
        result.push_back(std::move(c));
    }
    return result;
}

std::optional<std::int32_t> X11Connection::resourcePID(xcb_window_t window) {
    // A request of an extension the server lacks would close the connection.
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_res_id);
    if (extension == nullptr || extension->present == 0) return std::nullopt;
    const xcb_res_client_id_spec_t query{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    Reply<xcb_res_query_client_ids_reply_t> reply{
        xcb_res_query_client_ids_reply(connection_, xcb_res_query_client_ids(connection_, 1, &query), nullptr)};
    if (!reply) return std::nullopt;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem > 0; xcb_res_client_id_value_next(&it)) {
        // Only the process-id kind was asked for, so every answer of one 32-bit value is a pid.
        if (it.data->length == 4) {
            const std::uint32_t pid = *xcb_res_client_id_value_value(it.data);
            if (pid > 0) return static_cast<std::int32_t>(pid);
        }
    }
    return std::nullopt;
}

void X11Connection::requestClose(xcb_window_t window) {
    xcb_ewmh_request_close_window(&ewmh_, screen_, window, XCB_CURRENT_TIME, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
}

bool X11Connection::sync() {
    Reply<xcb_get_input_focus_reply_t> reply{
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)};
    return reply != nullptr && !broken();
}

} // namespace corvane
