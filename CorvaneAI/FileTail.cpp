#include "FileTail.h"

#include "support/ModificationDate.h"
#include "support/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace corvane::FileTail {

namespace {

ssize_t preadOnce(int fd, char* into, std::size_t length, off_t offset) {
    ssize_t got = 0;
    do {
        got = ::pread(fd, into, length, offset);
    } while (got < 0 && errno == EINTR);
    return got;
}

} // namespace

std::optional<Tail> readLines(const std::string& path, std::size_t maxBytes) {
    auto file = openRegularFile(path);
    if (!file) return std::nullopt;
    Tail tail;
    tail.mtime = modificationDate(file->status);
    const std::size_t size = file->status.st_size > 0 ? static_cast<std::size_t>(file->status.st_size) : 0;
    const std::size_t start = size > maxBytes ? size - maxBytes : 0;
    const std::size_t length = size - start;
    if (length < 1) return tail;
    std::vector<char> bytes(length + LineBuffer::padding);
    const ssize_t got = preadOnce(file->fd.get(), bytes.data(), length, static_cast<off_t>(start));
    if (got < 1) return tail;
    std::memset(bytes.data() + got, 0, LineBuffer::padding);
    tail.lines = LineBuffer(std::move(bytes), static_cast<std::size_t>(got));
    if (start > 0) tail.lines.dropFirst();
    return tail;
}

std::optional<std::string> readFirstLine(const std::string& path, std::size_t maxBytes) {
    auto file = openRegularFile(path);
    if (!file || maxBytes == 0) return std::nullopt;
    std::string bytes(maxBytes, '\0');
    const ssize_t got = preadOnce(file->fd.get(), bytes.data(), maxBytes, 0);
    if (got < 1) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    const std::size_t newline = bytes.find('\n');
    if (newline != std::string::npos) bytes.resize(newline);
    return bytes;
}

} // namespace corvane::FileTail
