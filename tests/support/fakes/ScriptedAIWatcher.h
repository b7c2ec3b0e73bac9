#pragma once

#include "ai/AIWatching.h"

#include <vector>

namespace corvane::test {

/// Returns the statuses the test set in `next`. Not thread-safe.
class ScriptedAIWatcher final : public AIWatching {
public:
    std::vector<AIToolStatus> statuses() override { return next; }
    std::vector<AIToolStatus> next;
};

} // namespace corvane::test
