#include "cli/StandardOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane {

namespace {

bool isOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}

/// Writes all of `text` to `fd`, resuming after interruptions and short writes; the errno of a
/// failure, or 0.
int writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

} // namespace

bool guardStandardDescriptors() {
    const bool outputOpen = isOpen(STDOUT_FILENO);
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (isOpen(fd)) continue;
        // The lowest free number is `fd` itself, as every lower one is open by now.
        const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0) ::close(opened);
    }
    return outputOpen;
}

std::optional<std::string> writeStandardOutput(std::string_view text) {
    if (const int error = writeStandardOutputErrno(text)) return std::string(std::strerror(error));
    return std::nullopt;
}

int writeStandardOutputErrno(std::string_view text) {
    return writeAll(STDOUT_FILENO, text);
}

int printToStandardOutput(std::string_view text) {
    const auto failure = writeStandardOutput(text);
    return failure ? outputFailed(*failure) : 0;
}

int outputFailed(std::string_view reason) {
    std::string message = "corvane: 无法写入标准输出（";
    message.append(reason).append("）\n");
    writeAll(STDERR_FILENO, message);
    return 1;
}

} // namespace corvane
