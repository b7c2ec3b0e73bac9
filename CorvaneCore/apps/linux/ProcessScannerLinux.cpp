#include "apps/ProcessScanner.h"

#include "support/FileRead.h"
#include "support/UniqueDir.h"

#include <unistd.h>

#include <array>
#include <cctype>

namespace corvane::ProcessScanner {

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

std::string executablePath(const std::string& processDir) {
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink((processDir + "/exe").c_str(), buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    constexpr std::string_view deleted = " (deleted)";
    if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0) {
        path.resize(path.size() - deleted.size());
    }
    return path;
}

} // namespace

std::set<std::string> runningProcessNames() {
    std::set<std::string> names;
    const UniqueDir proc = openDirectory("/proc");
    if (!proc) return names;
    while (const dirent* entry = ::readdir(proc.get())) {
        if (!isNumeric(entry->d_name)) continue;
        const std::string dir = std::string("/proc/") + entry->d_name;
        std::string comm = readWholeFile(dir + "/comm").value_or(std::string());
        while (!comm.empty() && comm.back() == '\n') comm.pop_back();
        if (comm.empty()) continue; // the process ended meanwhile
        const auto arguments = splitArguments(readWholeFile(dir + "/cmdline").value_or(std::string()));
        for (std::string& name : namesOf(comm, arguments, executablePath(dir))) names.insert(std::move(name));
    }
    return names;
}

} // namespace corvane::ProcessScanner
