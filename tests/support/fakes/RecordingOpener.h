#pragma once

#include "apps/AppOpening.h"

#include <vector>

namespace corvane::test {

/// Records the jump actions and completes each at once with `succeeds`. Not thread-safe.
class RecordingOpener final : public AppOpening {
public:
    void open(const std::string& url, const std::string& bundleID, Completion completion) override {
        actions.push_back(JumpAction{JumpAction::OpenURL{url, bundleID}});
        completion(succeeds);
    }
    void activate(const std::string& bundleID, Completion completion) override {
        actions.push_back(JumpAction{JumpAction::Activate{bundleID}});
        completion(succeeds);
    }
    std::vector<JumpAction> actions;
    bool succeeds{true};
};

} // namespace corvane::test
