#pragma once

#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

/// A child process started with posix_spawnp (in a session of its own, output discarded unless
/// told otherwise); killed and reaped on destruction unless it was reaped already.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    /// Reaps the child if it has exited; true once it has.
    bool exited();
    /// Waits up to `timeout` for the child to exit.
    bool waitForExit(std::chrono::milliseconds timeout);

private:
    pid_t pid_{-1};
    bool reaped_{false};
};

/// Polls `condition` every 20 ms until it holds or `timeout` passes; returns its last value.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

/// A private X server (Xvfb on a free display) that admits only clients presenting its
/// MIT-MAGIC-COOKIE-1, with the openbox window manager running, and $DISPLAY and $XAUTHORITY
/// pointing at it for the life of the object.
class XSession {
public:
    /// `withXResource` false starts the server without the X-Resource extension.
    explicit XSession(bool withXResource = true);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    /// Empty when the session is up; otherwise what went wrong.
    const std::string& failure() const { return failure_; }

private:
    bool windowManagerManages();

    TempDir authority_;
    std::unique_ptr<ScopedEnvironment> authorityVariable_;
    std::unique_ptr<ScopedEnvironment> displayVariable_;
    pid_t xvfb_{-1};
    pid_t windowManager_{-1};
    std::string failure_;
};

} // namespace corvane::test
