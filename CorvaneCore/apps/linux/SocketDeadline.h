#pragma once

#include "support/UniqueFd.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace corvane {

/// Shuts a socket down in both directions if it is still watched at a deadline, so a read or write
/// blocked on it returns (end of file, or an error) instead of waiting for a peer that never
/// answers. Watches its own duplicate of the descriptor, so whoever owns the original may close it
/// at any time. One watcher thread, joined by `stop` or the destructor.
class SocketDeadline {
public:
    SocketDeadline(int socket, std::chrono::steady_clock::time_point deadline);
    ~SocketDeadline();
    SocketDeadline(const SocketDeadline&) = delete;
    SocketDeadline& operator=(const SocketDeadline&) = delete;

    /// Ends the watch; true when the deadline had passed and the socket was shut down.
    bool stop();

private:
    void watch(std::chrono::steady_clock::time_point deadline);

    UniqueFd socket_;
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_{false};
    bool expired_{false};
    std::thread watcher_; // last: starts once everything it uses exists
};

} // namespace corvane
