#include "app/demo/DemoAIWatcher.h"

namespace corvane {

namespace {

constexpr double minute = 60;
/// Late enough that the notice of the waiting session has made room for the next one.
constexpr double longWorkEndsAfter = minute;

AISession session(std::string id, std::string project, AIActivity activity, Date since) {
    return AISession{std::move(id), std::move(project), activity, since};
}

} // namespace

DemoAIWatcher::DemoAIWatcher(Clock clock, bool sessions)
    : clock_(std::move(clock)), started_(clock_()), sessions_(sessions) {}

std::vector<AIToolStatus> DemoAIWatcher::statuses() {
    if (!sessions_) {
        return {AIToolStatus{AIToolKind::claudeCode, {}, false}, AIToolStatus{AIToolKind::claudeDesktop, {}, false},
                AIToolStatus{AIToolKind::codex, {}, false}};
    }
    const Date now = clock_();
    std::optional<Date> finishedAt;
    {
        const std::lock_guard lock(mutex_);
        if (!finishedAt_ && secondsBetween(started_, now) >= longWorkEndsAfter) finishedAt_ = now;
        finishedAt = finishedAt_;
    }
    const auto ago = [&](double seconds) { return addingSeconds(started_, -seconds); };

    AIToolStatus claude{AIToolKind::claudeCode, {}, true};
    claude.sessions = {
        session("c41e8b07-93fa-4d2e-b5a6-0e7d9c3f1b28", "corvane", AIActivity::waitingForUser, ago(6 * minute)),
        session("7f3c2a91-5d0e-4b6a-9c1e-2f8d4e6b0a13", "website", AIActivity::working, ago(12 * minute)),
    };
    AIToolStatus desktop{AIToolKind::claudeDesktop, {}, true};
    AIToolStatus codex{AIToolKind::codex, {}, true};
    const std::string longWork = "rollout-2026-12-08T09-14-55-0193a2c4-7b1e-7d52-a8f0-3c6e9b2d4f17";
    codex.sessions = {
        finishedAt ? session(longWork, "payments-api", AIActivity::waitingForUser, *finishedAt)
                   : session(longWork, "payments-api", AIActivity::working, ago(47 * minute)),
        session("rollout-2026-12-08T07-02-11-0193a1f0-2c4d-7e61-b3a9-5d8f1e7c6a02", "scripts", AIActivity::idle,
                ago(95 * minute)),
    };
    return {claude, desktop, codex};
}

} // namespace corvane
