#pragma once

#include "ai/AIWatching.h"
#include "support/Clock.h"

#include <mutex>
#include <optional>

namespace corvane {

/// Canned AI sessions: Claude Code with one session waiting for the user and one working, the
/// desktop app running idle, and Codex with a long piece of work that is still running at first
/// and, from the first poll a minute after construction on, waits for the user to look at the
/// result. Without `sessions` none of the three tools runs. Reads no transcript and no process.
/// Any thread.
class DemoAIWatcher final : public AIWatching {
public:
    explicit DemoAIWatcher(Clock clock, bool sessions = true);

    std::vector<AIToolStatus> statuses() override;

private:
    const Clock clock_;
    const Date started_;
    const bool sessions_;
    std::mutex mutex_; // guards finishedAt_
    /// When the long piece of work ended.
    std::optional<Date> finishedAt_;
};

} // namespace corvane
