#include "support/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace corvane {

std::optional<RegularFile> openRegularFile(const std::string& path) {
    RegularFile file;
    file.fd.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.fd) return std::nullopt;
    if (::fstat(file.fd.get(), &file.status) != 0 || !S_ISREG(file.status.st_mode)) return std::nullopt;
    return file;
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes) {
    auto file = openRegularFile(path);
    if (!file || file->status.st_size < 0 || static_cast<std::uintmax_t>(file->status.st_size) > maxBytes) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(file->status.st_size), '\0');
    std::size_t used = 0;
    while (used < text.size()) {
        const ssize_t got = ::pread(file->fd.get(), text.data() + used, text.size() - used, static_cast<off_t>(used));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break; // shrunk since it was examined: what is there is the content
        used += static_cast<std::size_t>(got);
    }
    text.resize(used);
    return text;
}

} // namespace corvane
