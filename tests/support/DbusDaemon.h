#pragma once

#include "support/TempDir.h"

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>

namespace corvane::test {

/// A private D-Bus message bus (dbus-daemon) listening on a socket in a temporary folder, with
/// no service activation and a policy that lets every client own any name and call anything;
/// it serves as a session bus or as a stand-in for the system bus. Terminated and reaped on
/// destruction.
class DbusDaemon {
public:
    /// Starts a bus and waits until it listens; absent when dbus-daemon cannot be started.
    static std::optional<DbusDaemon> start();
    ~DbusDaemon();
    DbusDaemon(DbusDaemon&& other) noexcept;
    DbusDaemon& operator=(DbusDaemon&& other) noexcept;
    DbusDaemon(const DbusDaemon&) = delete;
    DbusDaemon& operator=(const DbusDaemon&) = delete;

    /// The bus's address as clients take it (`DBUS_SESSION_BUS_ADDRESS` form).
    const std::string& address() const { return address_; }
    pid_t pid() const { return pid_; }

private:
    DbusDaemon() = default;
    void stop();

    std::unique_ptr<TempDir> folder_;
    pid_t pid_{-1};
    std::string address_;
};

} // namespace corvane::test
