#include "apps/linux/X11Connection.h"

#include "apps/linux/HostName.h"
#include "apps/linux/SocketDeadline.h"
#include "apps/linux/WindowOwner.h"
#include "apps/linux/X11Authority.h"
#include "apps/linux/X11Display.h"

#include <xcb/res.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace corvane {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

/// How long a server may take to accept a connection and answer its setup.
constexpr auto kAnswerDeadline = std::chrono::seconds(1);
/// How long a display whose server missed that deadline counts as having none.
constexpr auto kSilenceRemembered = std::chrono::seconds(30);

/// Displays whose server missed the deadline, and when. Shared by every connection of the process,
/// so a silent server costs one deadline rather than one per caller.
class SilentDisplays {
public:
    bool recentlySilent(const std::string& display, std::chrono::steady_clock::time_point now) {
        const std::lock_guard lock(mutex_);
        const auto found = since_.find(display);
        return found != since_.end() && now - found->second < kSilenceRemembered;
    }
    void markSilent(const std::string& display, std::chrono::steady_clock::time_point now) {
        const std::lock_guard lock(mutex_);
        since_[display] = now;
    }

private:
    std::mutex mutex_;
    std::map<std::string, std::chrono::steady_clock::time_point> since_;
};

SilentDisplays& silentDisplays() {
    static SilentDisplays displays;
    return displays;
}

/// Every request a window's description needs, sent before any reply is awaited.
struct Pending {
    xcb_get_property_cookie_t pid, type, state, desktop, windowClass, machine;
    std::optional<xcb_res_query_client_ids_cookie_t> client;
};

bool contains(const xcb_ewmh_get_atoms_reply_t& atoms, xcb_atom_t atom) {
    for (std::uint32_t i = 0; i < atoms.atoms_len; ++i) {
        if (atoms.atoms[i] == atom) return true;
    }
    return false;
}

constexpr std::uint32_t kAllDesktops = 0xFFFFFFFFu;

/// The process at the local end of a client's socket, from a local-client-pid query.
std::optional<std::int32_t> clientPID(xcb_res_query_client_ids_reply_t* reply) {
    if (reply == nullptr) return std::nullopt;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply); it.rem > 0; xcb_res_client_id_value_next(&it)) {
        // Only the process-id kind was asked for, so every answer of one 32-bit value is a pid.
        if (it.data->length == 4) {
            const std::uint32_t pid = *xcb_res_client_id_value_value(it.data);
            if (pid > 0 && pid <= 0x7FFFFFFFu) return static_cast<std::int32_t>(pid);
        }
    }
    return std::nullopt;
}

/// A text property's value up to its first NUL; absent when unset or empty.
std::optional<std::string> textProperty(xcb_get_property_reply_t* reply) {
    if (reply == nullptr) return std::nullopt;
    const int length = xcb_get_property_value_length(reply);
    if (length <= 0) return std::nullopt;
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
    std::string text(data, ::strnlen(data, static_cast<std::size_t>(length)));
    if (text.empty()) return std::nullopt;
    return text;
}

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
    const auto started = std::chrono::steady_clock::now();
    if (silentDisplays().recentlySilent(display, started)) return nullptr;
    const auto name = parseDisplayName(display);
    if (!name) return nullptr;
    const auto deadline = started + kAnswerDeadline;
    auto x = connect(*name, deadline);
    if (!x) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) silentDisplays().markSilent(display, now);
    }
    return x;
}

std::unique_ptr<X11Connection> X11Connection::connect(const X11DisplayName& name,
                                                      std::chrono::steady_clock::time_point deadline) {
    UniqueFd socket = connectToDisplay(name.endpoints, deadline);
    if (!socket) return nullptr;
    const auto authority = findX11Authority(socket.get(), name.display);
    xcb_auth_info_t auth{};
    if (authority) {
        auth.namelen = static_cast<int>(authority->name.size());
        auth.name = const_cast<char*>(authority->name.data());
        auth.datalen = static_cast<int>(authority->data.size());
        auth.data = const_cast<char*>(authority->data.data());
    }
    // xcb waits for the server's answers without a time limit; the watch ends that wait at the
    // deadline by shutting the socket down.
    SocketDeadline watch(socket.get(), deadline);
    // The connection owns the socket from here on, also when the setup fails.
    std::unique_ptr<X11Connection> x(
        new X11Connection(xcb_connect_to_fd(socket.release(), authority ? &auth : nullptr), name.screen));
    if (x->broken()) return nullptr;
    xcb_prefetch_extension_data(x->connection_, &xcb_res_id);
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(x->connection_, &x->ewmh_);
    x->ewmhReady_ = cookies != nullptr && xcb_ewmh_init_atoms_replies(&x->ewmh_, cookies, nullptr) != 0;
    const xcb_query_extension_reply_t* resource = xcb_get_extension_data(x->connection_, &xcb_res_id);
    x->hasXResource_ = resource != nullptr && resource->present != 0;
    const bool late = watch.stop();
    if (late || !x->ewmhReady_ || x->broken() || name.screen < 0 || name.screen >= x->ewmh_.nb_screens) return nullptr;
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
        Pending p{xcb_ewmh_get_wm_pid(&ewmh_, w),
                  xcb_ewmh_get_wm_window_type(&ewmh_, w),
                  xcb_ewmh_get_wm_state(&ewmh_, w),
                  xcb_ewmh_get_wm_desktop(&ewmh_, w),
                  xcb_get_property(connection_, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256),
                  xcb_get_property(connection_, 0, w, XCB_ATOM_WM_CLIENT_MACHINE, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
                  std::nullopt};
        if (hasXResource_) {
            const xcb_res_client_id_spec_t query{w, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
            p.client = xcb_res_query_client_ids(connection_, 1, &query);
        }
        pending.push_back(p);
    }
    const std::string host = hostName();
    const bool knowsDesktop = xcb_ewmh_get_current_desktop_reply(&ewmh_, desktopCookie, &currentDesktop, nullptr) != 0;

    std::vector<ClientWindow> result;
    result.reserve(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ClientWindow c;
        c.window = windows[i];
        WindowOwnerEvidence owner;
        owner.serverKnowsClients = hasXResource_;
        std::uint32_t pid = 0;
        if (xcb_ewmh_get_wm_pid_reply(&ewmh_, pending[i].pid, &pid, nullptr) != 0 && pid > 0 && pid <= 0x7FFFFFFFu) {
            owner.claimedPID = static_cast<std::int32_t>(pid);
        }
        if (pending[i].client) {
            const Reply<xcb_res_query_client_ids_reply_t> reply{
                xcb_res_query_client_ids_reply(connection_, *pending[i].client, nullptr)};
            owner.serverPID = clientPID(reply.get());
        }
        const Reply<xcb_get_property_reply_t> machine{xcb_get_property_reply(connection_, pending[i].machine, nullptr)};
        owner.clientMachine = textProperty(machine.get());
        c.pid = establishedOwner(owner, host);

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
        result.push_back(std::move(c));
    }
    return result;
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
