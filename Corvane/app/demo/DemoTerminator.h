#pragma once

#include "app/demo/DemoMemoryProvider.h"
#include "apps/AppTerminating.h"

#include <memory>

namespace corvane {

/// Pretends to quit applications, politely or by force: a process of a demonstration
/// application is reported as ended and its application leaves the demonstration lists. No
/// signal is sent to anything. Any thread.
class DemoTerminator final : public AppTerminating, public AppForceTerminating {
public:
    explicit DemoTerminator(std::shared_ptr<DemoMemoryProvider> provider) : provider_(std::move(provider)) {}

    bool terminate(std::int32_t pid) override { return provider_->quit(pid); }
    bool forceTerminate(std::int32_t pid) override { return provider_->quit(pid); }

private:
    const std::shared_ptr<DemoMemoryProvider> provider_;
};

} // namespace corvane
