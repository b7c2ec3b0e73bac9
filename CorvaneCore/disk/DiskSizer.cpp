#include "disk/DiskSizer.h"

#include "support/UniqueDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace corvane::DiskSizer {

namespace {

using Uptime = std::chrono::steady_clock;

constexpr std::uint64_t timeCheckInterval = 256;

Date dateOf(const struct timespec& time) {
    return Date{} + std::chrono::duration_cast<Date::duration>(std::chrono::seconds(time.tv_sec) +
                                                               std::chrono::nanoseconds(time.tv_nsec));
}

std::uint64_t allocatedBytes(const struct stat& status) {
    return status.st_blocks > 0 ? static_cast<std::uint64_t>(status.st_blocks) * 512 : 0;
}

/// The state one measurement shares across every level of its walk.
struct Walk {
    DiskMeasure measure;
    bool stop{false};
    bool seenFile{false};
    std::uint64_t counter{0};
    Uptime::time_point budgetEnd;
    std::optional<Uptime::time_point> deadlineEnd;
    bool trackMTime{false};
    std::optional<Date> abortIfNewerThan;

    void walk(int fd);
    bool outOfTime() const {
        const auto now = Uptime::now();
        return now > budgetEnd || (deadlineEnd && now > *deadlineEnd);
    }
};

void Walk::walk(int fd) {
    UniqueDir dir(::fdopendir(fd));
    if (!dir) {
        ::close(fd);
        return;
    }
    const int dirFd = ::dirfd(dir.get());
    while (!stop) {
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) break;
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        struct stat status;
        if (::fstatat(dirFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
        measure.bytes += allocatedBytes(status);
        measure.files += 1;
        const bool isDirectory = S_ISDIR(status.st_mode);
        if (!isDirectory) {
            seenFile = true;
            if (trackMTime || abortIfNewerThan) {
                const Date modified = dateFromUnixSeconds(static_cast<double>(status.st_mtime));
                if (trackMTime && (!measure.newestMTime || *measure.newestMTime < modified)) {
                    measure.newestMTime = modified;
                }
                if (abortIfNewerThan && modified > *abortIfNewerThan) {
                    measure.foundNewer = true;
                    stop = true;
                    break;
                }
            }
        }
        if (++counter % timeCheckInterval == 0 && outOfTime()) {
            measure.approximate = true;
            stop = true;
            break;
        }
        if (isDirectory) {
            const int child = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0) walk(child);
        }
    }
}

} // namespace

DiskMeasure measure(const std::string& path, double budget, std::optional<Date> deadline, bool trackMTime,
                    std::optional<Date> abortIfNewerThan) {
    struct stat top;
    if (::lstat(path.c_str(), &top) != 0 || S_ISLNK(top.st_mode)) return {};

    Walk walk;
    const auto start = Uptime::now();
    const auto seconds = [](double s) {
        // Clamped so an unbounded budget cannot overflow the clock's tick count.
        return std::chrono::duration_cast<Uptime::duration>(std::chrono::duration<double>(std::clamp(s, -1e9, 1e9)));
    };
    walk.budgetEnd = start + seconds(std::max(budget, 0.0));
    if (deadline) {
        walk.deadlineEnd = start + seconds(secondsBetween(std::chrono::system_clock::now(), *deadline));
    }
    walk.trackMTime = trackMTime;
    walk.abortIfNewerThan = abortIfNewerThan;

    const bool isDirectory = S_ISDIR(top.st_mode);
    walk.measure.bytes = allocatedBytes(top);
    walk.measure.files = 1;
    if (trackMTime && !isDirectory) walk.measure.newestMTime = dateOf(top.st_mtim);
    if (!isDirectory) return walk.measure;

    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) walk.walk(fd);
    if (trackMTime && !walk.seenFile && !walk.measure.newestMTime) walk.measure.newestMTime = dateOf(top.st_mtim);
    return walk.measure;
}

bool isSymlink(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace corvane::DiskSizer
