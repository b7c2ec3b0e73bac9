#include "AIWatcherConfig.h"

#include "apps/ProcessNameCache.h"
#include "support/HomeDirectory.h"

#include <memory>

namespace corvane {

std::string AIWatcherConfig::defaultPath(const std::string& relative) {
    std::string home = homeDirectory();
    if (home.back() != '/') home += '/';
    return home + relative;
}

void AIWatcherConfig::announceAccess(const std::string& path) const {
    if (fileAccessProbe) fileAccessProbe(path);
}

AIWatcherConfig::ProcessNames AIWatcherConfig::defaultProcessNames() {
    // Polls repeat every few seconds: processes already known are not read again.
    return [cache = std::make_shared<ProcessNameCache>()] { return cache->runningNames(); };
}

} // namespace corvane
