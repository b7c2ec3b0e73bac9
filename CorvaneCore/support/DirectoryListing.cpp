#include "support/DirectoryListing.h"

#include "support/ModificationDate.h"
#include "support/UniqueDir.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace corvane {

std::optional<std::vector<DirectoryEntry>> listDirectory(const std::string& path) {
    const UniqueDir dir = openDirectory(path);
    if (!dir) return std::nullopt;
    const int dirFd = ::dirfd(dir.get());
    std::vector<DirectoryEntry> entries;
    const std::string prefix = path.empty() || path.back() == '/' ? path : path + "/";
    while (const dirent* item = ::readdir(dir.get())) {
        if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0) continue;
        DirectoryEntry entry;
        entry.name = item->d_name;
        entry.path = prefix + entry.name;
        struct stat status {};
        if (::fstatat(dirFd, item->d_name, &status, 0) == 0) {
            entry.mtime = modificationDate(status);
            entry.size = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
            entry.isDirectory = S_ISDIR(status.st_mode);
            entry.isRegularFile = S_ISREG(status.st_mode);
            entry.identity =
                FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
        }
        entry.isSymbolicLink =
            item->d_type == DT_LNK ||
            (item->d_type == DT_UNKNOWN && ::fstatat(dirFd, item->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
             S_ISLNK(status.st_mode));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<std::vector<std::string>> listNames(const std::string& path) {
    const UniqueDir dir = openDirectory(path);
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) names.emplace_back(entry->d_name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string_view pathExtension(std::string_view name) {
    name = lastPathComponent(name);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return name.substr(dot + 1);
}

} // namespace corvane
