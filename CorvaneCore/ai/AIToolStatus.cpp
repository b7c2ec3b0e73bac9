#include "ai/AIToolStatus.h"

#include <algorithm>

namespace corvane {

AIActivity AIToolStatus::activity() const {
    if (sessions.empty()) return isRunning ? AIActivity::idle : AIActivity::notRunning;
    AIActivity highest = sessions.front().activity;
    for (const AISession& session : sessions) highest = std::max(highest, session.activity);
    return highest;
}

int AIToolStatus::attentionCount() const {
    return static_cast<int>(std::count_if(sessions.begin(), sessions.end(),
                                          [](const AISession& s) { return needsAttention(s.activity); }));
}

} // namespace corvane
