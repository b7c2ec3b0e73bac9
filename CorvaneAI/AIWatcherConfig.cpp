#include "AIWatcherConfig.h"

#include "apps/ProcessScanner.h"
#include "support/HomeDirectory.h"

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
    return [] { return ProcessScanner::runningProcessNames(); };
}

} // namespace corvane
