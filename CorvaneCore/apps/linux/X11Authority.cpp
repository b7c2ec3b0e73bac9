#include "apps/linux/X11Authority.h"

#include "apps/linux/HostName.h"

#include <X11/Xauth.h>
#include <xcb/xcb.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>
#include <memory>

namespace corvane {

namespace {

constexpr char kCookieProtocol[] = "MIT-MAGIC-COOKIE-1";

struct AuthDeleter {
    void operator()(Xauth* auth) const { XauDisposeAuth(auth); }
};

/// The address family and address under which the authority file lists this connection's server.
struct AuthorityAddress {
    unsigned short family{FamilyLocal};
    std::string address;
};

std::optional<AuthorityAddress> authorityAddress(int socket) {
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (::getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) != 0) return std::nullopt;
    AuthorityAddress result;
    if (peer.ss_family == AF_INET6) {
        const in6_addr& address = reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_addr;
        const char* bytes = reinterpret_cast<const char*>(address.s6_addr);
        if (IN6_IS_ADDR_V4MAPPED(&address)) {
            in_addr_t v4{};
            std::memcpy(&v4, bytes + 12, sizeof v4);
            if (v4 != htonl(INADDR_LOOPBACK)) result = {XCB_FAMILY_INTERNET, std::string(bytes + 12, 4)};
        } else if (!IN6_IS_ADDR_LOOPBACK(&address)) {
            result = {XCB_FAMILY_INTERNET_6, std::string(bytes, 16)};
        }
    } else if (peer.ss_family == AF_INET) {
        const in_addr& address = reinterpret_cast<const sockaddr_in*>(&peer)->sin_addr;
        if (address.s_addr != htonl(INADDR_LOOPBACK)) {
            result = {XCB_FAMILY_INTERNET, std::string(reinterpret_cast<const char*>(&address.s_addr), 4)};
        }
    } else if (peer.ss_family != AF_UNIX) {
        return std::nullopt;
    }
    if (result.family == FamilyLocal) {
        result.address = hostName();
        if (result.address.empty()) return std::nullopt;
    }
    return result;
}

} // namespace

std::optional<X11Authority> findX11Authority(int socket, int display) {
    const auto address = authorityAddress(socket);
    if (!address) return std::nullopt;
    const std::string number = std::to_string(display);
    char* names[] = {const_cast<char*>(kCookieProtocol)};
    int nameLengths[] = {static_cast<int>(sizeof kCookieProtocol - 1)};
    const std::unique_ptr<Xauth, AuthDeleter> auth(
        XauGetBestAuthByAddr(address->family, static_cast<unsigned short>(address->address.size()),
                             address->address.data(), static_cast<unsigned short>(number.size()), number.data(), 1,
                             names, nameLengths));
    if (!auth) return std::nullopt;
    return X11Authority{std::string(auth->name, auth->name_length), std::string(auth->data, auth->data_length)};
}

} // namespace corvane
