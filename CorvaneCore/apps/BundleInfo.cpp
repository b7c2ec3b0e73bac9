#include "apps/BundleInfo.h"

#include "apps/GroupingKey.h"

namespace corvane {

AppInfo appInfoFromPlist(const std::string& bundlePath, const std::optional<BundlePlistFields>& fields) {
    std::string base(lastPathComponent(bundlePath));
    if (const auto dot = base.rfind('.'); dot != std::string::npos && dot > 0) base.resize(dot);
    if (!fields) return AppInfo{std::nullopt, base};
    AppInfo info{fields->bundleIdentifier, base};
    if (fields->displayName) {
        info.name = *fields->displayName;
    } else if (fields->bundleName) {
        info.name = *fields->bundleName;
    }
    if (info.name.empty()) info.name = base;
    return info;
}

BundleInfoCache::BundleInfoCache(Reader reader) : reader_(std::move(reader)) {}

AppInfo BundleInfoCache::appInfo(const std::string& bundlePath) {
    {
        std::lock_guard guard(lock_);
        if (auto it = cache_.find(bundlePath); it != cache_.end()) return it->second;
    }
    AppInfo info = appInfoFromPlist(bundlePath, reader_(bundlePath));
    std::lock_guard guard(lock_);
    cache_[bundlePath] = info;
    return info;
}

} // namespace corvane
