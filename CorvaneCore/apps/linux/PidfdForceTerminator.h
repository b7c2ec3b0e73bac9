#pragma once

#include "apps/AppTerminating.h"
#include "apps/WindowFacts.h"

#include <functional>

namespace corvane {

/// Ends a regular application at once with SIGKILL sent through a pidfd, so a recycled process
/// identifier is never hit. Only processes owning a regular window (as the X server establishes
/// ownership) are addressed.
class PidfdForceTerminator final : public AppForceTerminating {
public:
    /// `windowFacts` tells which processes are regular applications (the live X server by default).
    explicit PidfdForceTerminator(std::function<std::optional<WindowFacts>()> windowFacts = readWindowFacts);

    /// False when the process is gone, belongs to someone else or is not a regular application.
    bool forceTerminate(std::int32_t pid) override;

private:
    std::function<std::optional<WindowFacts>()> windowFacts_;
};

} // namespace corvane
