#include "ai/AIActivity.h"

namespace corvane {

std::string_view rawValue(AIActivity activity) {
    switch (activity) {
    case AIActivity::notRunning: return "notRunning";
    case AIActivity::idle: return "idle";
    case AIActivity::working: return "working";
    case AIActivity::mayNeedConfirmation: return "mayNeedConfirmation";
    case AIActivity::waitingForUser: return "waitingForUser";
    }
    return "notRunning";
}

std::optional<AIActivity> aiActivityFromRaw(std::string_view raw) {
    for (auto activity : {AIActivity::notRunning, AIActivity::idle, AIActivity::working,
                          AIActivity::mayNeedConfirmation, AIActivity::waitingForUser}) {
        if (rawValue(activity) == raw) return activity;
    }
    return std::nullopt;
}

bool needsAttention(AIActivity activity) {
    return activity == AIActivity::mayNeedConfirmation || activity == AIActivity::waitingForUser;
}

} // namespace corvane
