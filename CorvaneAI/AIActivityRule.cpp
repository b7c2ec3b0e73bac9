#include "AIActivityRule.h"

namespace corvane {

AIActivity activityFor(RawState state, double age, const AIWatcherConfig& config) {
    switch (state) {
    case RawState::waitingText: return age >= config.waitingDebounce ? AIActivity::waitingForUser : AIActivity::working;
    case RawState::pendingTool: return age > config.confirmAfter ? AIActivity::mayNeedConfirmation : AIActivity::working;
    case RawState::busy:
    case RawState::unknown: return age <= config.workingStaleAfter ? AIActivity::working : AIActivity::idle;
    case RawState::idle: return AIActivity::idle;
    }
    return AIActivity::idle;
}

} // namespace corvane
