#pragma once

#include "ai/AIWatching.h"

#include <mutex>
#include <vector>

namespace corvane::test {

/// Returns whatever statuses the test set. Thread-safe.
class ScriptedAIWatcher final : public AIWatching {
public:
    std::vector<AIToolStatus> statuses() override {
        std::lock_guard lock(mutex_);
        return next_;
    }
    void set(std::vector<AIToolStatus> statuses) {
        std::lock_guard lock(mutex_);
        next_ = std::move(statuses);
    }

private:
    std::mutex mutex_;
    std::vector<AIToolStatus> next_;
};

} // namespace corvane::test
