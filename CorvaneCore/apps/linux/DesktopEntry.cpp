#include "apps/linux/DesktopEntry.h"

#include "support/HomeDirectory.h"
#include "support/RegularFile.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace corvane {

namespace {

/// Desktop entries with every translation stay well below this.
constexpr std::size_t maxDesktopEntryBytes = std::size_t{512} * 1024;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

std::string environmentOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

} // namespace

std::optional<std::string> desktopEntryName(std::string_view text) {
    std::optional<std::string> chinaName, chineseName, plainName;
    bool inMainGroup = false;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup) continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string value(trimmed(line.substr(equals + 1)));
        if (value.empty()) continue;
        if (key == "Name[zh_CN]") chinaName = value;
        else if (key == "Name[zh]") chineseName = value;
        else if (key == "Name") plainName = value;
    }
    if (chinaName) return chinaName;
    if (chineseName) return chineseName;
    return plainName;
}

std::vector<std::string> applicationDirectories() {
    std::vector<std::string> dirs;
    dirs.push_back(absolutePathFromEnvironment("XDG_DATA_HOME").value_or(homeDirectory() + "/.local/share") +
                   "/applications");
    const std::string dataDirs = environmentOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    std::size_t at = 0;
    while (at <= dataDirs.size()) {
        const std::size_t end = std::min(dataDirs.find(':', at), dataDirs.size());
        // Relative entries are ignored, as for every XDG variable.
        if (end > at && dataDirs[at] == '/') dirs.push_back(dataDirs.substr(at, end - at) + "/applications");
        at = end + 1;
    }
    return dirs;
}

DesktopNameCache::DesktopNameCache(std::vector<std::string> directories) : directories_(std::move(directories)) {}

std::optional<std::string> DesktopNameCache::displayName(const std::string& identity) {
    {
        std::lock_guard guard(lock_);
        if (auto it = cache_.find(identity); it != cache_.end()) return it->second;
    }
    auto name = lookUp(identity);
    std::lock_guard guard(lock_);
    cache_[identity] = name;
    return name;
}

std::optional<std::string> DesktopNameCache::lookUp(const std::string& identity) const {
    if (identity.empty() || identity.find('/') != std::string::npos) return std::nullopt;
    std::string lower = identity;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const std::string* candidate : std::initializer_list<const std::string*>{&identity, &lower}) {
        for (const std::string& dir : directories_) {
            if (const auto text = readRegularFile(dir + "/" + *candidate + ".desktop", maxDesktopEntryBytes)) {
                if (auto name = desktopEntryName(*text)) return name;
            }
        }
    }
    return std::nullopt;
}

} // namespace corvane
