#include "ai/AIToolStatus.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

/// A tool's activity is its most urgent session's, running or not, else whether it runs; sessions
/// waiting for the user or possibly needing confirmation count for attention.
TEST(AIToolStatus, ActivityAndAttentionFollowTheSessions) {
    using enum AIActivity;
    const struct {
        std::vector<AIActivity> sessions;
        bool running;
        AIActivity activity;
        int attention;
    } table[] = {
        {{}, false, notRunning, 0},
        {{}, true, idle, 0},
        {{idle, waitingForUser, working}, false, waitingForUser, 1},
        {{mayNeedConfirmation, waitingForUser, working, idle, notRunning}, true, waitingForUser, 2},
    };
    for (const auto& row : table) {
        AIToolStatus status{AIToolKind::claudeCode, {}, row.running};
        for (const AIActivity a : row.sessions) status.sessions.push_back(AISession{"s", std::nullopt, a, Date{}});
        EXPECT_EQ(status.activity(), row.activity) << testing::PrintToString(row.sessions);
        EXPECT_EQ(status.attentionCount(), row.attention) << testing::PrintToString(row.sessions);
    }
    EXPECT_EQ((AIToolStatus{AIToolKind::claudeCode, {}, true}).id(), "claudeCode");
}

TEST(AIActivity, SortsInUrgencyOrder) {
    std::vector<AIActivity> all{AIActivity::waitingForUser, AIActivity::idle, AIActivity::mayNeedConfirmation,
                                AIActivity::notRunning, AIActivity::working};
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<AIActivity>{AIActivity::notRunning, AIActivity::idle, AIActivity::working,
                                            AIActivity::mayNeedConfirmation, AIActivity::waitingForUser}));
}

TEST(AIRecords, RawValuesRoundTripExactly) {
    for (AIToolKind kind : allAIToolKinds) EXPECT_EQ(aiToolKindFromRaw(rawValue(kind)), kind);
    for (auto a : {AIActivity::notRunning, AIActivity::idle, AIActivity::working, AIActivity::mayNeedConfirmation,
                   AIActivity::waitingForUser}) {
        EXPECT_EQ(aiActivityFromRaw(rawValue(a)), a);
    }
    EXPECT_EQ(aiToolKindFromRaw("ClaudeCode"), std::nullopt);
    EXPECT_EQ(aiToolKindFromRaw("codex "), std::nullopt);
    EXPECT_EQ(aiActivityFromRaw("waiting"), std::nullopt);
}

TEST(AIToolKind, ProcessNamesAreCaseSensitiveAndHostsOrdered) {
    EXPECT_EQ(processName(AIToolKind::claudeCode), "claude");
    EXPECT_EQ(processName(AIToolKind::claudeDesktop), "Claude");
    EXPECT_EQ(processName(AIToolKind::codex), "codex");
    EXPECT_TRUE(hostBundleIDs(AIToolKind::claudeCode).empty());
    EXPECT_EQ(hostBundleIDs(AIToolKind::codex),
              (std::vector<std::string_view>{"com.openai.codex", "com.openai.chat"}));
}

TEST(AISession, EqualityComparesAllFields) {
    const AISession a{"id", std::nullopt, AIActivity::idle, Date{}};
    AISession b = a;
    EXPECT_EQ(a, b);
    b.project = "";
    EXPECT_NE(a, b);
}

} // namespace
} // namespace corvane
