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

/// The number after `label` when `line` starts with it (blanks skipped); absent otherwise.
template <typename Int> std::optional<Int> labelled(std::string_view line, std::string_view label) {
    if (line.substr(0, label.size()) != label) return std::nullopt;
    std::size_t start = label.size();
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    Int value{};
    const auto [end, error] = std::from_chars(line.data() + start, line.data() + line.size(), value);
    if (error != std::errc()) return std::nullopt;
    return value;
}

std::optional<std::int32_t> pidOfEntry(const char* name) {
    std::int32_t pid = 0;
    const std::string_view text(name);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

} // namespace

StatusFields parseStatus(std::string_view text) {
    StatusFields fields;
    std::optional<std::uint64_t> anon, shmem, swap;
    // One pass over the lines: the scan reads this file for every process.
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        switch (line.empty() ? '\0' : line.front()) {
        case 'P':
            if (!fields.parent) fields.parent = labelled<std::int32_t>(line, "PPid:");
            break;
        case 'N':
            if (!fields.processGroup) fields.processGroup = labelled<std::int32_t>(line, "NSpgid:");
            break;
        case 'R':
            if (!anon) anon = labelled<std::uint64_t>(line, "RssAnon:");
            if (!shmem) shmem = labelled<std::uint64_t>(line, "RssShmem:");
            break;
        case 'V':
            if (!swap) swap = labelled<std::uint64_t>(line, "VmSwap:");
            break;
        default: break;
        }
    }
    if (anon || shmem || swap) fields.footprintBytes = (anon.value_or(0) + shmem.value_or(0) + swap.value_or(0)) * 1024;
    return fields;
}

std::string_view withoutDeletedSuffix(std::string_view target) {
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.substr(target.size() - deleted.size()) == deleted) {
        target.remove_suffix(deleted.size());
    }
    return target;
}

std::size_t forEachProcess(const std::string& procRoot, const std::function<void(const ProcessEntry&)>& visit) {
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
        const StatusFields fields = parseStatus(std::string_view(status.data(), static_cast<std::size_t>(read)));
        if (!fields.footprintBytes) continue;
        visit(ProcessEntry{*pid, *fields.footprintBytes,
                           withoutDeletedSuffix(std::string_view(exe.data(), static_cast<std::size_t>(length))),
                           fields.parent, fields.processGroup});
    }
    return seen;
}

} // namespace corvane
