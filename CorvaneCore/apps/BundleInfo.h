#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace corvane {

/// What an application bundle says about itself.
struct AppInfo {
    std::optional<std::string> bundleID;
    std::string name;

    bool operator==(const AppInfo&) const = default;
};

/// The string entries of a bundle's information file that naming uses; absent fields were
/// missing or not strings.
struct BundlePlistFields {
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> displayName;
    std::optional<std::string> bundleName;
};

/// Reads "<bundle>/Contents/Info.plist" (XML or binary); absent when it cannot be read as a
/// dictionary. Platform implementation.
std::optional<BundlePlistFields> readBundlePlist(const std::string& bundlePath);

/// The identifier and name of the bundle at `bundlePath` given its information file's fields
/// (absent: unreadable): the display name, else the bundle name, else the bundle's file name
/// without extension; empty names fall back to that file name. Pure.
AppInfo appInfoFromPlist(const std::string& bundlePath, const std::optional<BundlePlistFields>& fields);

/// `appInfo(atPath:)` with its cache: each bundle's information file is read at most once for the
/// cache's life (two racing first reads may both read; the later write wins). Thread-safe; the
/// file is read outside the lock.
class BundleInfoCache {
public:
    using Reader = std::function<std::optional<BundlePlistFields>(const std::string& bundlePath)>;

    explicit BundleInfoCache(Reader reader = readBundlePlist);

    AppInfo appInfo(const std::string& bundlePath);

private:
    Reader reader_;
    std::mutex lock_;
    std::map<std::string, AppInfo> cache_;
};

} // namespace corvane
