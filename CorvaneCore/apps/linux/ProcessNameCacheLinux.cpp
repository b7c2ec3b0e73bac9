#include "apps/ProcessScanner.h"
#include "apps/ProcessNameCache.h"

#include "support/FileRead.h"
#include "support/UniqueDir.h"
#include "support/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <span>
#include <string_view>

namespace corvane {

namespace {

bool isNumeric(const char* name) {
    if (*name == '\0') return false;
    for (; *name != '\0'; ++name) {
        if (std::isdigit(static_cast<unsigned char>(*name)) == 0) return false;
    }
    return true;
}

std::vector<std::string> splitArguments(const std::string& cmdline) {
    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start < cmdline.size()) {
        std::size_t end = cmdline.find('\0', start);
        if (end == std::string::npos) end = cmdline.size();
        arguments.push_back(cmdline.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

/// The target of the process's "exe" link, without the kernel's " (deleted)" mark; empty when it
/// cannot be read.
std::string executablePath(int processDir) {
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlinkat(processDir, "exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    constexpr std::string_view deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
        path.resize(path.size() - deleted.size());
    }
    return path;
}

/// A small file of the process's /proc folder, read into `buffer` (or `overflow` when longer).
std::string_view readIn(int processDir, const char* name, std::span<char> buffer, std::string& overflow) {
    const UniqueFd fd(::openat(processDir, name, O_RDONLY | O_CLOEXEC));
    return preadInto(fd, buffer, overflow).value_or(std::string_view());
}

} // namespace

std::set<std::string> ProcessNameCache::runningNames() {
    std::unordered_map<int, Entry> previous;
    {
        std::lock_guard guard(lock_);
        previous.swap(entries_);
    }
    std::unordered_map<int, Entry> current;
    std::set<std::string> names;
    const UniqueDir proc = openDirectory("/proc");
    if (!proc) return names;
    std::array<char, 64> commBuffer{};
    std::array<char, 4096> cmdlineBuffer{};
    std::string overflow;
    while (const dirent* entry = ::readdir(proc.get())) {
        if (!isNumeric(entry->d_name)) continue;
        // One lookup of the process's folder; its files are opened relative to it.
        const UniqueFd dir(::openat(::dirfd(proc.get()), entry->d_name, O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!dir) continue; // the process ended meanwhile
        // The kernel numbers a process's folder anew when a process ID is reused; while the process
        // lives its number stays (should the kernel renumber it anyway, that only costs a re-read).
        struct stat folder {};
        if (::fstat(dir.get(), &folder) != 0) continue;
        std::string_view comm = readIn(dir.get(), "comm", commBuffer, overflow);
        while (!comm.empty() && comm.back() == '\n') comm.remove_suffix(1);
        if (comm.empty()) continue;
        int pid = 0;
        std::from_chars(entry->d_name, entry->d_name + std::strlen(entry->d_name), pid);
        Entry known;
        if (auto found = previous.find(pid);
            found != previous.end() && found->second.folder == folder.st_ino && found->second.comm == comm) {
            known = std::move(found->second);
        } else {
            known.folder = folder.st_ino;
            known.comm = std::string(comm);
            const auto arguments = splitArguments(std::string(readIn(dir.get(), "cmdline", cmdlineBuffer, overflow)));
            // Kernel threads and zombies have no command line and no readable executable.
            const std::string executable = arguments.empty() ? std::string() : executablePath(dir.get());
            known.names = ProcessScanner::namesOf(known.comm, arguments, executable);
        }
        names.insert(known.names.begin(), known.names.end());
        current.emplace(pid, std::move(known));
    }
    std::lock_guard guard(lock_);
    entries_ = std::move(current);
    return names;
}

std::set<std::string> ProcessScanner::runningProcessNames() {
    return ProcessNameCache().runningNames();
}

} // namespace corvane
