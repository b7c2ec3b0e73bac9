#include "XSession.h"

#include "apps/WindowFacts.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

extern char** environ;

namespace corvane::test {

namespace {

std::vector<char*> argvOf(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

/// Descriptors without close-on-exec (the Xvfb display pipe) are inherited.
pid_t spawn(const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    auto argv = argvOf(args);
    if (posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

bool windowManagerRunning() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    bool running = false;
    if (xcb_connection_has_error(c) == 0) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
        if (atom != nullptr && atom->atom != XCB_ATOM_NONE) {
            xcb_get_property_reply_t* prop = xcb_get_property_reply(
                c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
            running = prop != nullptr && xcb_get_property_value_length(prop) == 4;
            std::free(prop);
        }
        std::free(atom);
    }
    xcb_disconnect(c);
    return running;
}

/// An authority file whose one entry admits its cookie for any display (family and number wild),
/// so it can be written before the server has chosen its display.
std::string authorityFile(const TempDir& folder) {
    std::random_device random;
    std::string cookie;
    for (int i = 0; i < 16; ++i) cookie += static_cast<char>(random() & 0xFF);
    const auto field = [](const std::string& bytes) {
        return std::string{static_cast<char>(bytes.size() >> 8), static_cast<char>(bytes.size() & 0xFF)} + bytes;
    };
    return folder.write("Xauthority", std::string("\xFF\xFF") + field("") + field("") + field("MIT-MAGIC-COOKIE-1") +
                                          field(cookie));
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) : pid_(spawn(argv)) {}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !reaped_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::exited() {
    if (reaped_) return true;
    if (pid_ <= 0) return true;
    reaped_ = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
    return reaped_;
}

bool ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    return eventually([this] { return exited(); }, timeout);
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

XSession::XSession(bool withXResource) {
    const std::string authority = authorityFile(authority_);
    authorityVariable_ = std::make_unique<ScopedEnvironment>("XAUTHORITY", authority);
    int fds[2];
    if (::pipe(fds) != 0) {
        failure_ = "pipe failed";
        return;
    }
    // Xvfb picks a free display itself and writes its number to the descriptor. Without
    // -noreset it resets whenever its last client leaves, which breaks a window manager that is
    // just connecting.
    std::vector<std::string> xvfb{"Xvfb", "-displayfd", std::to_string(fds[1]), "-auth", authority, "-screen", "0",
                                  "1024x768x24", "-nolisten", "tcp", "-noreset"};
    if (!withXResource) xvfb.insert(xvfb.end(), {"-extension", "X-Resource"});
    xvfb_ = spawn(xvfb);
    ::close(fds[1]);
    std::string number;
    pollfd pfd{fds[0], POLLIN, 0};
    while (xvfb_ > 0 && ::poll(&pfd, 1, 10000) > 0) {
        char buffer[16];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        number.append(buffer, static_cast<std::size_t>(n));
        if (number.find('\n') != std::string::npos) break;
    }
    ::close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
    if (number.empty()) {
        failure_ = "Xvfb did not start (is the xvfb package installed?)";
        return;
    }
    displayVariable_ = std::make_unique<ScopedEnvironment>("DISPLAY", ":" + number);
    windowManager_ = spawn({"openbox", "--sm-disable"});
    if (windowManager_ <= 0 || !eventually(windowManagerRunning) || !windowManagerManages()) {
        failure_ = "openbox did not start";
    }
}

bool XSession::windowManagerManages() {
    // openbox announces itself before it manages new windows, and a window mapped in that gap
    // stays unmanaged: map probe windows until one shows up in the client list.
    for (int attempt = 0; attempt < 10; ++attempt) {
        ChildProcess probe({CORVANE_X_TEST_CLIENT, "CorvaneProbe", "honour"});
        const pid_t pid = probe.pid();
        if (eventually(
                [pid] {
                    const auto facts = readWindowFacts();
                    return facts && facts->regularPIDs.count(pid) != 0;
                },
                std::chrono::milliseconds(1000))) {
            return true;
        }
    }
    return false;
}

XSession::~XSession() {
    stop(windowManager_);
    stop(xvfb_);
}

} // namespace corvane::test
