#include "disk/linux/HomeTrashMover.h"

#include "disk/DiskWhitelist.h"
#include "support/PercentEncoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <optional>

namespace corvane {

namespace {

/// Enough for every realistic pile of same-named items, small enough to end a hopeless search.
constexpr int maxNameAttempts = 10000;
constexpr std::string_view infoSuffix = ".trashinfo";

struct TrashFolders {
    UniqueFd files;
    UniqueFd info;
};

/// Opens the data folder by its path (where the user put it, links included), then the trash
/// folder and its "files" and "info" without following links, creating what is missing.
std::optional<TrashFolders> openTrash(const std::string& trashDirectory) {
    const std::string trash = DiskWhitelist::standardized(trashDirectory);
    const auto slash = trash.rfind('/');
    const std::string parent = slash == 0 ? "/" : trash.substr(0, slash);
    const std::string name = trash.substr(slash + 1);
    UniqueFd parentFd(::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!parentFd && errno == ENOENT) {
        std::string prefix;
        for (const std::string& component : DiskWhitelist::split(parent)) {
            prefix += "/" + component;
            ::mkdir(prefix.c_str(), 0700);
        }
        parentFd.reset(::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    if (!parentFd) return std::nullopt;
    const UniqueFd trashFd = openOrCreateFolder(parentFd.get(), name);
    if (!trashFd) return std::nullopt;
    TrashFolders folders{openOrCreateFolder(trashFd.get(), "files"), openOrCreateFolder(trashFd.get(), "info")};
    if (!folders.files || !folders.info) return std::nullopt;
    return folders;
}

/// The `attempt`-th candidate name for `name` in the trash ("name", "name.2", ...), shortened at
/// a character boundary so that its information file's name still fits the file system.
std::string candidateName(const std::string& name, int attempt) {
    const std::string suffix = attempt == 1 ? "" : "." + std::to_string(attempt);
    const std::size_t room = NAME_MAX - infoSuffix.size() - suffix.size();
    if (name.size() <= room) return name + suffix;
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return name.substr(0, cut) + suffix;
}

std::string localTimestamp(Date when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&seconds, &local) != nullptr) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

HomeTrashMover::HomeTrashMover(const std::string& home, std::string trashDirectory, Clock now, LinkFreeResolution resolution)
    : home_(DiskWhitelist::standardized(home)),
      trashDirectory_(std::move(trashDirectory)),
      now_(std::move(now)),
      resolution_(resolution) {}

std::string HomeTrashMover::trashDirectoryFor(const std::string& home, const char* dataHome) {
    if (dataHome != nullptr && dataHome[0] == '/') return std::string(dataHome) + "/Trash";
    return DiskWhitelist::standardized(home) + "/.local/share/Trash";
}

bool HomeTrashMover::trash(const std::string& path) {
    if (path.empty() || path.front() != '/') return false;
    const auto rel = DiskWhitelist::relative(path, home_);
    if (!rel) return false;
    const UniqueFd homeFd(::open(home_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!homeFd) return false;
    const std::vector<std::string> parentComponents(rel->begin(), rel->end() - 1);
    const UniqueFd parentFd = openFolderBeneath(homeFd.get(), parentComponents, resolution_);
    const std::string& name = rel->back();
    struct stat status;
    if (!parentFd || name == "." || name == ".." ||
        ::fstatat(parentFd.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    const auto trash = openTrash(trashDirectory_);
    if (!trash) return false;

    std::string original = home_ == "/" ? "" : home_;
    for (const std::string& component : *rel) original += "/" + component;
    const std::string record =
        "[Trash Info]\nPath=" + percentEncoded(original, "/") + "\nDeletionDate=" + localTimestamp(now_()) + "\n";

    // The information file is claimed first, exclusively, so two movers never share a name and a
    // reader never sees an item without its record.
    for (int attempt = 1; attempt <= maxNameAttempts; ++attempt) {
        const std::string trashName = candidateName(name, attempt);
        const std::string infoName = trashName + std::string(infoSuffix);
        UniqueFd infoFd(::openat(trash->info.get(), infoName.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!infoFd) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool recorded = writeAll(infoFd.get(), record);
        infoFd.reset();
        if (recorded && ::renameat2(parentFd.get(), name.c_str(), trash->files.get(), trashName.c_str(),
                                    RENAME_NOREPLACE) == 0) {
            return true;
        }
        const int moveError = errno;
        ::unlinkat(trash->info.get(), infoName.c_str(), 0);
        if (!recorded || moveError != EEXIST) return false;
    }
    return false;
}

} // namespace corvane
