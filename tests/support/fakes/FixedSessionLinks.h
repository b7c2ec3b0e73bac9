#pragma once

#include "app/SessionLinkResolving.h"

#include <mutex>

namespace corvane::test {

/// Resolves every session to the link the test set. Thread-safe.
class FixedSessionLinks final : public SessionLinkResolving {
public:
    SessionLink link(AIToolKind, const std::string&) override {
        std::lock_guard lock(mutex_);
        return next_;
    }
    void set(SessionLink link) {
        std::lock_guard lock(mutex_);
        next_ = std::move(link);
    }

private:
    std::mutex mutex_;
    SessionLink next_{std::string("codex://threads/1"), "com.openai.codex", true};
};

} // namespace corvane::test
