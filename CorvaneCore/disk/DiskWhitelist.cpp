#include "disk/DiskWhitelist.h"

#include "support/SplitText.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace corvane::DiskWhitelist {

namespace {

std::string joined(const std::vector<std::string>& components, std::size_t count) {
    std::string path;
    for (std::size_t i = 0; i < count; ++i) path += "/" + components[i];
    return path.empty() ? "/" : path;
}

bool beginsWith(const std::vector<std::string>& rel, const std::vector<std::string>& prefix) {
    return rel.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), rel.begin());
}

std::optional<std::string> systemRealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return std::nullopt;
    return std::string(resolved.get());
}

} // namespace

std::vector<std::string> split(const std::string& path) {
    return splitNonEmpty(path, '/');
}

std::string standardized(const std::string& path) {
    std::vector<std::string> kept;
    for (std::string& component : split(path)) {
        if (component == ".") continue;
        if (component == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(std::move(component));
    }
    return joined(kept, kept.size());
}

std::optional<std::vector<std::string>> relative(const std::string& path, const std::string& home) {
    if (path.empty() || path.front() != '/') return std::nullopt;
    const std::vector<std::string> pathComponents = split(path);
    const std::vector<std::string> homeComponents = split(home);
    if (homeComponents.size() >= pathComponents.size() || !beginsWith(pathComponents, homeComponents)) {
        return std::nullopt;
    }
    return std::vector<std::string>(pathComponents.begin() + static_cast<std::ptrdiff_t>(homeComponents.size()),
                                     pathComponents.end());
}

bool matches(const std::vector<std::string>& rel, const DiskLayout& layout) {
    if (std::any_of(rel.begin(), rel.end(), [](const std::string& c) { return c == ".." || c == "."; })) return false;
    for (const auto& root : layout.rootComponents) {
        if (beginsWith(rel, root)) return true;
    }
    if ((rel.size() == 3 || rel.size() == 4) && rel[0] == ".codex" && rel[1] == "worktrees") return true;
    if (rel.size() >= 3 && rel[0] == ".codex" && rel[1] == "generated_images") return true;
    const std::vector<std::string> caches = split(layout.cachesRel);
    if (rel.size() >= caches.size() + 2 && beginsWith(rel, caches)) {
        const std::string& folder = rel[caches.size()];
        const std::string& entry = rel[caches.size() + 1];
        if (folder.find("ShipIt") != std::string::npos && entry.rfind("update.", 0) == 0) return true;
    }
    return false;
}

std::optional<std::string> realPath(const std::string& path) {
    const std::vector<std::string> components = split(standardized(path));
    for (std::size_t count = components.size();; --count) {
        const std::string prefix = joined(components, count);
        if (auto resolved = systemRealPath(prefix)) {
            std::string result = *resolved;
            for (std::size_t i = count; i < components.size(); ++i) result += "/" + components[i];
            std::string::size_type doubled;
            while ((doubled = result.find("//")) != std::string::npos) result.erase(doubled, 1);
            return result;
        }
        // Only a component that truly does not exist may be carried over textually. A dangling
        // or looping link, or a folder that cannot be searched, leaves the path unresolvable:
        // appending it as text would make a link look like a plain folder.
        struct stat status;
        if (errno != ENOENT || ::lstat(prefix.c_str(), &status) == 0 || count == 0) return std::nullopt;
    }
}

bool isPlain(const std::string& path, const std::string& home) {
    const auto rel = relative(standardized(path), standardized(home));
    if (!rel) return false;
    const auto resolved = realPath(standardized(path));
    const auto resolvedHome = realPath(home);
    if (!resolved || !resolvedHome) return false;
    std::string expected = *resolvedHome == "/" ? "" : *resolvedHome;
    for (const std::string& component : *rel) expected += "/" + component;
    return *resolved == expected;
}

bool allowsCleaning(const std::string& path, const std::string& home, const DiskLayout& layout) {
    if (path.empty() || path.front() != '/') return false;
    const std::vector<std::string> components = split(path);
    if (std::find(components.begin(), components.end(), "..") != components.end()) return false;
    const auto rel = relative(standardized(path), standardized(home));
    if (!rel || !matches(*rel, layout)) return false;
    const auto resolved = realPath(standardized(path));
    const auto resolvedHome = realPath(home);
    if (!resolved || !resolvedHome) return false;
    const auto resolvedRel = relative(*resolved, *resolvedHome);
    return resolvedRel && matches(*resolvedRel, layout);
}

} // namespace corvane::DiskWhitelist
