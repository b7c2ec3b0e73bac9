#include "apps/linux/X11Display.h"

#include <xcb/xcb.h>

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace corvane {

namespace {

constexpr int kFirstTcpPort = 6000;
constexpr const char* kSocketFolder = "/tmp/.X11-unix/X";

int millisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

/// Finishes a non-blocking connect that is in progress; false when it fails or misses the deadline.
bool awaitConnected(int fd, std::chrono::steady_clock::time_point deadline) {
    pollfd p{fd, POLLOUT, 0};
    int ready = 0;
    do {
        ready = ::poll(&p, 1, millisecondsUntil(deadline));
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0) return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

UniqueFd connectTo(int family, int protocol, const sockaddr* address, socklen_t length,
                   std::chrono::steady_clock::time_point deadline) {
    UniqueFd fd(::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol));
    if (!fd) return {};
    if (::connect(fd.get(), address, length) == 0) return fd;
    // A local socket whose queue is full answers EAGAIN: its server is not accepting either.
    if (errno != EINPROGRESS || !awaitConnected(fd.get(), deadline)) return {};
    return fd;
}

UniqueFd connectLocal(const X11Endpoint& endpoint, std::chrono::steady_clock::time_point deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const bool abstract = endpoint.kind == X11Endpoint::Kind::abstractSocket;
    const std::size_t offset = abstract ? 1 : 0;
    if (endpoint.address.size() + offset >= sizeof address.sun_path) return {};
    std::memcpy(address.sun_path + offset, endpoint.address.data(), endpoint.address.size());
    // An abstract name is exactly its bytes; a file path ends at its NUL.
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + endpoint.address.size() +
                                               (abstract ? 0 : 1));
    return connectTo(AF_UNIX, 0, reinterpret_cast<const sockaddr*>(&address), length, deadline);
}

UniqueFd connectTcp(const X11Endpoint& endpoint, std::chrono::steady_clock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    std::string host = endpoint.address;
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
        hints.ai_family = AF_INET6;
        hints.ai_flags |= AI_NUMERICHOST;
    }
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(endpoint.port).c_str(), &hints, &found) != 0) return {};
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, &::freeaddrinfo);
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if (UniqueFd fd = connectTo(a->ai_family, a->ai_protocol, a->ai_addr, a->ai_addrlen, deadline)) {
            // X requests are small and answered one by one: do not hold them back.
            const int on = 1;
            ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            return fd;
        }
        if (millisecondsUntil(deadline) == 0) break;
    }
    return {};
}

} // namespace

std::optional<X11DisplayName> parseDisplayName(const std::string& display) {
    char* hostText = nullptr;
    X11DisplayName name;
    if (xcb_parse_display(display.c_str(), &hostText, &name.display, &name.screen) == 0) return std::nullopt;
    const std::string host = hostText;
    std::free(hostText);
    if (name.display < 0 || name.display > 65535 - kFirstTcpPort) return std::nullopt;
    const auto port = static_cast<std::uint16_t>(kFirstTcpPort + name.display);
    if (!host.empty() && host != "unix") {
        name.endpoints.push_back({X11Endpoint::Kind::tcp, host, port});
        return name;
    }
    const std::string path = kSocketFolder + std::to_string(name.display);
    name.endpoints.push_back({X11Endpoint::Kind::abstractSocket, path, 0});
    name.endpoints.push_back({X11Endpoint::Kind::socketFile, path, 0});
    if (host.empty()) name.endpoints.push_back({X11Endpoint::Kind::tcp, "localhost", port});
    return name;
}

UniqueFd connectToDisplay(const std::vector<X11Endpoint>& endpoints, std::chrono::steady_clock::time_point deadline) {
    for (const X11Endpoint& endpoint : endpoints) {
        UniqueFd fd = endpoint.kind == X11Endpoint::Kind::tcp ? connectTcp(endpoint, deadline)
                                                              : connectLocal(endpoint, deadline);
        if (fd) return fd;
        if (millisecondsUntil(deadline) == 0) break;
    }
    return {};
}

} // namespace corvane
