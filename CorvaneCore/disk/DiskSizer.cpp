#include "disk/DiskSizer.h"

#include "support/UniqueDir.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>

namespace corvane::DiskSizer {

namespace {

using Uptime = std::chrono::steady_clock;

constexpr std::uint64_t timeCheckInterval = 256;
/// Folders whose listings stay open at once: deeper trees reopen shallower folders on the way
/// back, so a walk never needs more descriptors than this, however deep the tree.
constexpr std::size_t openLevelLimit = 32;

constexpr int directoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

Date dateOf(const struct timespec& time) {
    return Date{} + std::chrono::duration_cast<Date::duration>(std::chrono::seconds(time.tv_sec) +
                                                               std::chrono::nanoseconds(time.tv_nsec));
}

std::uint64_t allocatedBytes(const struct stat& status) {
    return status.st_blocks > 0 ? static_cast<std::uint64_t>(status.st_blocks) * 512 : 0;
}

/// A listing stream over `fd`, which it takes over (closed when no stream can be made).
UniqueDir streamOf(int fd) {
    UniqueDir dir(::fdopendir(fd));
    if (!dir) ::close(fd);
    return dir;
}

/// One folder on the path from the measured folder down to the one being listed.
struct Level {
    /// Open while the folder is among the deepest `openLevelLimit`; null once closed.
    UniqueDir dir;
    /// Where a closed listing resumes.
    long position{0};
    dev_t device{};
    ino_t inode{};
};

/// One measurement's walk: depth first, without recursion. The path of folders being listed is
/// a stack; only its deepest `openLevelLimit` folders hold a descriptor. A closed folder is
/// reopened through ".." of its child when the walk climbs back to it, checked to be the same
/// folder, and its listing resumes where it stopped.
class Walk {
public:
    DiskMeasure measure;
    bool seenFile{false};
    Uptime::time_point budgetEnd;
    std::optional<Uptime::time_point> deadlineEnd;
    bool trackMTime{false};
    std::optional<Date> abortIfNewerThan;

    void run(int fd, const struct stat& top);

private:
    bool outOfTime() const {
        const auto now = Uptime::now();
        return now > budgetEnd || (deadlineEnd && now > *deadlineEnd);
    }
    /// Counts one entry of the deepest folder, open as `dirFd`; false when the walk must end.
    bool count(int dirFd, const char* name);
    void enter(int dirFd, const char* name, const struct stat& status);
    /// Leaves the deepest folder; false when its parent cannot be listed again.
    bool leave();

    std::vector<Level> levels_;
    /// Levels below this index are closed.
    std::size_t firstOpen_{0};
    std::uint64_t counter_{0};
};

void Walk::run(int fd, const struct stat& top) {
    UniqueDir dir = streamOf(fd);
    if (!dir) {
        measure.approximate = true;
        return;
    }
    levels_.push_back({std::move(dir), 0, top.st_dev, top.st_ino});
    while (!levels_.empty()) {
        // Lists the deepest folder until it ends or the walk enters one of its subfolders.
        DIR* listing = levels_.back().dir.get();
        const int listingFd = ::dirfd(listing);
        const std::size_t depth = levels_.size();
        while (levels_.size() == depth) {
            errno = 0;
            const dirent* entry = ::readdir(listing);
            if (entry == nullptr) {
                if (errno != 0) measure.approximate = true;
                if (!leave()) return;
                break;
            }
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
            if (!count(listingFd, name)) return;
        }
    }
}

bool Walk::count(int dirFd, const char* name) {
    struct stat status;
    if (::fstatat(dirFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        // Gone since it was listed, or (in a folder that may be listed but not entered) unreadable.
        if (errno != ENOENT) measure.approximate = true;
        return true;
    }
    measure.bytes += allocatedBytes(status);
    measure.files += 1;
    const bool isDirectory = S_ISDIR(status.st_mode);
    if (!isDirectory) {
        seenFile = true;
        if (trackMTime || abortIfNewerThan) {
            const Date modified = dateFromUnixSeconds(static_cast<double>(status.st_mtime));
            if (trackMTime && (!measure.newestMTime || *measure.newestMTime < modified)) measure.newestMTime = modified;
            if (abortIfNewerThan && modified > *abortIfNewerThan) {
                measure.foundNewer = true;
                return false;
            }
        }
    }
    if (++counter_ % timeCheckInterval == 0 && outOfTime()) {
        measure.approximate = true;
        return false;
    }
    if (isDirectory) enter(dirFd, name, status);
    return true;
}

void Walk::enter(int dirFd, const char* name, const struct stat& status) {
    const int fd = ::openat(dirFd, name, directoryFlags);
    if (fd < 0 && errno == ENOENT) return; // removed since it was counted
    UniqueDir dir = fd >= 0 ? streamOf(fd) : UniqueDir();
    if (!dir) {
        measure.approximate = true;
        return;
    }
    if (levels_.size() - firstOpen_ >= openLevelLimit) {
        Level& shallowest = levels_[firstOpen_++];
        shallowest.position = ::telldir(shallowest.dir.get());
        shallowest.dir.reset();
    }
    levels_.push_back({std::move(dir), 0, status.st_dev, status.st_ino});
}

bool Walk::leave() {
    const Level finished = std::move(levels_.back());
    levels_.pop_back();
    if (levels_.empty() || levels_.size() > firstOpen_) return true;

    Level& parent = levels_.back();
    const int fd = ::openat(::dirfd(finished.dir.get()), "..", directoryFlags);
    struct stat status;
    if (fd >= 0 && (::fstat(fd, &status) != 0 || status.st_dev != parent.device || status.st_ino != parent.inode)) {
        ::close(fd);
        parent.dir.reset();
    } else if (fd >= 0) {
        parent.dir = streamOf(fd);
    }
    if (!parent.dir) {
        // Moved or replaced meanwhile: what is left of the walk above here cannot be reached.
        measure.approximate = true;
        return false;
    }
    ::seekdir(parent.dir.get(), parent.position);
    firstOpen_ = levels_.size() - 1;
    return true;
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

    const int fd = ::open(path.c_str(), directoryFlags);
    if (fd >= 0) {
        walk.run(fd, top);
    } else {
        walk.measure.approximate = true;
    }
    if (trackMTime && !walk.seenFile && !walk.measure.newestMTime) walk.measure.newestMTime = dateOf(top.st_mtim);
    return walk.measure;
}

bool isSymlink(const std::string& path) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace corvane::DiskSizer
