#include "apps/linux/ProcessTable.h"

#include "support/UniqueDir.h"
#include "support/UniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cstdio>

namespace corvane {

namespace {

/// The kB figure after `label` at the start of a line of `text`; absent when the line is missing.
std::optional<std::uint64_t> kilobytes(std::string_view text, std::string_view label) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        if (line.substr(0, label.size()) == label) {
            std::size_t digits = label.size();
            while (digits < line.size() && (line[digits] == ' ' || line[digits] == '\t')) ++digits;
            std::uint64_t value = 0;
            std::from_chars(line.data() + digits, line.data() + line.size(), value);
            return value * 1024;
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<std::int32_t> pidOfEntry(const char* name) {
    std::int32_t pid = 0;
    const std::string_view text(name);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

} // namespace

std::optional<std::uint64_t> footprintFromStatus(std::string_view statusText) {
    const auto anon = kilobytes(statusText, "RssAnon:");
    const auto shmem = kilobytes(statusText, "RssShmem:");
    const auto swap = kilobytes(statusText, "VmSwap:");
    if (!anon && !shmem && !swap) return std::nullopt;
    return anon.value_or(0) + shmem.value_or(0) + swap.value_or(0);
}

std::string_view withoutDeletedSuffix(std::string_view target) {
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.substr(target.size() - deleted.size()) == deleted) {
        target.remove_suffix(deleted.size());
    }
    return target;
}

std::size_t forEachProcess(const std::string& procRoot,
                           const std::function<void(std::int32_t, std::uint64_t, std::string_view)>& visit) {
    const UniqueDir dir = openDirectory(procRoot);
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir.get());
    std::array<char, 4096> exe{};
    std::array<char, 4096> status{};
    std::array<char, 48> relative{};
    std::size_t seen = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const auto pid = pidOfEntry(entry->d_name);
        if (!pid) continue;
        ++seen;
        std::snprintf(relative.data(), relative.size(), "%d/exe", static_cast<int>(*pid));
        const ssize_t length = ::readlinkat(dirFd, relative.data(), exe.data(), exe.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= exe.size()) continue;
        std::snprintf(relative.data(), relative.size(), "%d/status", static_cast<int>(*pid));
        const UniqueFd fd(::openat(dirFd, relative.data(), O_RDONLY | O_CLOEXEC));
        if (!fd) continue;
        const ssize_t read = ::pread(fd.get(), status.data(), status.size(), 0);
        if (read <= 0) continue;
        const auto footprint = footprintFromStatus(std::string_view(status.data(), static_cast<std::size_t>(read)));
        if (!footprint) continue;
        visit(*pid, *footprint, withoutDeletedSuffix(std::string_view(exe.data(), static_cast<std::size_t>(length))));
    }
    return seen;
}

} // namespace corvane
