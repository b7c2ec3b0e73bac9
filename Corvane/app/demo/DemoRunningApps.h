#pragma once

#include "app/RunningAppListing.h"
#include "app/demo/DemoMemoryProvider.h"

#include <memory>

namespace corvane {

/// The demonstration applications that have not been quit, as the running set of disk scans.
class DemoRunningApps final : public RunningAppListing {
public:
    explicit DemoRunningApps(std::shared_ptr<DemoMemoryProvider> provider) : provider_(std::move(provider)) {}

    std::set<std::string> runningIDs() override {
        std::set<std::string> ids;
        for (const AppGroup& group : provider_->topAppGroups(maxListed)) ids.insert(group.id);
        return ids;
    }

private:
    static constexpr int maxListed = 100;
    const std::shared_ptr<DemoMemoryProvider> provider_;
};

} // namespace corvane
