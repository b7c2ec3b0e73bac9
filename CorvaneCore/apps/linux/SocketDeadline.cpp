#include "apps/linux/SocketDeadline.h"

#include <fcntl.h>
#include <sys/socket.h>

namespace corvane {

SocketDeadline::SocketDeadline(int socket, std::chrono::steady_clock::time_point deadline)
    : socket_(::fcntl(socket, F_DUPFD_CLOEXEC, 0)), watcher_([this, deadline] { watch(deadline); }) {}

SocketDeadline::~SocketDeadline() {
    stop();
}

bool SocketDeadline::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_one();
    if (watcher_.joinable()) watcher_.join();
    return expired_;
}

void SocketDeadline::watch(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    if (stopped_.wait_until(lock, deadline, [this] { return stopping_; })) return;
    expired_ = true;
    if (socket_) ::shutdown(socket_.get(), SHUT_RDWR);
}

} // namespace corvane
