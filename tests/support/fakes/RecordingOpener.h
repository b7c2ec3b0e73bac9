#pragma once

#include "apps/AppOpening.h"

#include <mutex>
#include <vector>

namespace corvane::test {

/// Records the jump actions and completes each at once with `succeeds`.
class RecordingOpener final : public AppOpening {
public:
    void open(const std::string& url, const std::string& bundleID, Completion completion) override {
        record(JumpAction{JumpAction::OpenURL{url, bundleID}});
        completion(succeeds);
    }
    void activate(const std::string& bundleID, Completion completion) override {
        record(JumpAction{JumpAction::Activate{bundleID}});
        completion(succeeds);
    }

    std::vector<JumpAction> actions;
    bool succeeds{true};

private:
    void record(JumpAction action) {
        std::lock_guard lock(mutex_);
        actions.push_back(std::move(action));
    }
    std::mutex mutex_;
};

} // namespace corvane::test
