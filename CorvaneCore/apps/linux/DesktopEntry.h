#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The name a desktop entry's text gives in its [Desktop Entry] group: Name[zh_CN], else
/// Name[zh], else Name; absent when none is present and non-empty. Pure.
std::optional<std::string> desktopEntryName(std::string_view entryText);

/// The folders searched for desktop entries, most important first: $XDG_DATA_HOME/applications
/// (default ~/.local/share), then each of $XDG_DATA_DIRS (default /usr/local/share:/usr/share).
/// Relative paths in these variables are ignored.
std::vector<std::string> applicationDirectories();

/// Display names of application identities from "<identity>.desktop" (tried as given, then in
/// lower case) in `directories`, each looked up once for the cache's life. Thread-safe; files are
/// read outside the lock.
class DesktopNameCache {
public:
    explicit DesktopNameCache(std::vector<std::string> directories = applicationDirectories());

    std::optional<std::string> displayName(const std::string& identity);

private:
    std::optional<std::string> lookUp(const std::string& identity) const;

    std::vector<std::string> directories_;
    std::mutex lock_;
    std::map<std::string, std::optional<std::string>> cache_;
};

} // namespace corvane
