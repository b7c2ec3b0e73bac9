#include "support/DbusDaemon.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <utility>

namespace corvane::test {

namespace {

constexpr auto kStartDeadline = std::chrono::seconds(10);
constexpr auto kStopGrace = std::chrono::seconds(2);

// No <servicedir>: a name nobody owns is never activated from the machine's service files.
std::string configuration(const std::string& socket) {
    return R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=)" +
           socket + R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
}

/// The first line `fd` delivers before `deadline`, without its newline; empty when none came.
std::string readLine(int fd, std::chrono::steady_clock::time_point deadline) {
    std::string text;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd pfd{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&pfd, 1, static_cast<int>(left.count())) <= 0) return {};
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return {};
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text.substr(0, text.find('\n'));
}

} // namespace

std::optional<DbusDaemon> DbusDaemon::start() {
    DbusDaemon bus;
    bus.folder_ = std::make_unique<TempDir>();
    const std::string config = bus.folder_->write("bus.conf", configuration(*bus.folder_ / "bus"));
    std::string configArgument = "--config-file=" + config;
    char* const argv[] = {const_cast<char*>("dbus-daemon"), configArgument.data(), const_cast<char*>("--nofork"),
                          const_cast<char*>("--print-address"), nullptr};
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    const pid_t parent = ::getpid();
    bus.pid_ = ::fork();
    if (bus.pid_ == 0) {
        // A test that dies without unwinding (an abort, a sanitizer halting) takes its bus along.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        ::setsid();
        const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        ::dup2(null, STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execvp(argv[0], argv);
        ::_exit(127);
    }
    ::close(out[1]);
    // The address is printed once the socket listens.
    if (bus.pid_ > 0) bus.address_ = readLine(out[0], std::chrono::steady_clock::now() + kStartDeadline);
    ::close(out[0]);
    if (bus.address_.empty()) return std::nullopt; // `bus` stops the daemon on the way out
    return bus;
}

DbusDaemon::DbusDaemon(DbusDaemon&& other) noexcept
    : folder_(std::move(other.folder_)),
      pid_(std::exchange(other.pid_, -1)),
      address_(std::move(other.address_)) {}

DbusDaemon& DbusDaemon::operator=(DbusDaemon&& other) noexcept {
    if (this != &other) {
        stop();
        folder_ = std::move(other.folder_);
        pid_ = std::exchange(other.pid_, -1);
        address_ = std::move(other.address_);
    }
    return *this;
}

DbusDaemon::~DbusDaemon() {
    stop();
}

void DbusDaemon::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kStopGrace;
    while (::waitpid(pid_, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
}

} // namespace corvane::test
