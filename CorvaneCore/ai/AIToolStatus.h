#pragma once

#include "ai/AIActivity.h"
#include "ai/AISession.h"
#include "ai/AIToolKind.h"

#include <string_view>
#include <vector>

namespace corvane {

/// One tool's state in one poll.
struct AIToolStatus {
    AIToolKind kind{AIToolKind::claudeCode};
    /// Most recent `since` first.
    std::vector<AISession> sessions;
    bool isRunning{false};

    /// The raw value of `kind`.
    std::string_view id() const { return rawValue(kind); }
    /// The most urgent session activity; without sessions `idle` when running, else `notRunning`.
    AIActivity activity() const;
    /// How many sessions need attention.
    int attentionCount() const;

    bool operator==(const AIToolStatus&) const = default;
};

} // namespace corvane
