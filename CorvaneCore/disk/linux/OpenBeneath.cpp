#include "disk/linux/OpenBeneath.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace corvane {

namespace {

constexpr int folderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool isSingleName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool isFolder(const UniqueFd& fd) {
    struct stat status;
    return fd && ::fstat(fd.get(), &status) == 0 && S_ISDIR(status.st_mode);
}

UniqueFd walk(int base, const std::vector<std::string>& components) {
    UniqueFd current(::fcntl(base, F_DUPFD_CLOEXEC, 0));
    for (const std::string& component : components) {
        UniqueFd next(::openat(current.get(), component.c_str(), folderFlags));
        // O_NOFOLLOW with O_DIRECTORY already refuses a link; the check keeps that true on
        // file systems that answer oddly.
        if (!isFolder(next)) return {};
        current = std::move(next);
    }
    return current;
}

} // namespace

UniqueFd openFolderBeneath(int base, const std::vector<std::string>& components, LinkFreeResolution resolution) {
    if (!std::all_of(components.begin(), components.end(), isSingleName)) return {};
    if (components.empty() || resolution == LinkFreeResolution::componentWalk) return walk(base, components);

    std::string relative;
    for (const std::string& component : components) relative += (relative.empty() ? "" : "/") + component;
    open_how how{};
    how.flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    UniqueFd opened(static_cast<int>(::syscall(SYS_openat2, base, relative.c_str(), &how, sizeof how)));
    if (!opened && errno == ENOSYS) return walk(base, components);
    return isFolder(opened) ? std::move(opened) : UniqueFd();
}

UniqueFd openOrCreateFolder(int parent, const std::string& name) {
    if (!isSingleName(name)) return {};
    // mkdirat never follows a link at `name`: an existing link answers EEXIST and is then refused
    // by the no-follow open.
    if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) return {};
    UniqueFd opened(::openat(parent, name.c_str(), folderFlags));
    return isFolder(opened) ? std::move(opened) : UniqueFd();
}

} // namespace corvane
