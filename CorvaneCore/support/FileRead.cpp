#include "support/FileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace corvane {

UniqueFd openForReading(const std::string& path) {
    return UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

std::optional<std::string> preadAll(const UniqueFd& fd) {
    if (!fd) return std::nullopt;
    std::string text;
    std::size_t used = 0;
    std::size_t capacity = 4096;
    for (;;) {
        text.resize(capacity);
        const ssize_t got = ::pread(fd.get(), text.data() + used, capacity - used, static_cast<off_t>(used));
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        used += static_cast<std::size_t>(got);
        // A short read is the end: asking again at the new offset would make a /proc file
        // generate its whole text a second time.
        if (used < capacity) break;
        capacity *= 2;
    }
    text.resize(used);
    return text;
}

std::optional<std::string_view> preadInto(const UniqueFd& fd, std::span<char> buffer, std::string& overflow) {
    if (!fd) return std::nullopt;
    ssize_t got = 0;
    do {
        got = ::pread(fd.get(), buffer.data(), buffer.size(), 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return std::nullopt;
    if (static_cast<std::size_t>(got) < buffer.size()) return std::string_view(buffer.data(), static_cast<std::size_t>(got));
    auto whole = preadAll(fd);
    if (!whole) return std::nullopt;
    overflow = std::move(*whole);
    return std::string_view(overflow);
}

std::optional<std::string> readWholeFile(const std::string& path) {
    return preadAll(openForReading(path));
}

} // namespace corvane
