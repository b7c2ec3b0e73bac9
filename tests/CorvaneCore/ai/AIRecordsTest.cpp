#include "ai/AIToolStatus.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

AISession session(AIActivity activity) {
    return AISession{"s", std::nullopt, activity, Date{}};
}

TEST(AIToolStatus, ActivityWithoutSessionsFollowsRunningFlag) {
    EXPECT_EQ((AIToolStatus{AIToolKind::codex, {}, false}).activity(), AIActivity::notRunning);
    EXPECT_EQ((AIToolStatus{AIToolKind::codex, {}, true}).activity(), AIActivity::idle);
}

TEST(AIToolStatus, ActivityIsTheMostUrgentSessionEvenWhenNotRunning) {
    const AIToolStatus status{AIToolKind::claudeCode,
                              {session(AIActivity::idle), session(AIActivity::waitingForUser), session(AIActivity::working)},
                              false};
    EXPECT_EQ(status.activity(), AIActivity::waitingForUser);
    EXPECT_EQ(status.id(), "claudeCode");
}

TEST(AIToolStatus, AttentionCountsConfirmationAndWaitingOnly) {
    const AIToolStatus status{AIToolKind::codex,
                              {session(AIActivity::mayNeedConfirmation), session(AIActivity::waitingForUser),
                               session(AIActivity::working), session(AIActivity::idle),
                               session(AIActivity::notRunning)},
                              true};
    EXPECT_EQ(status.attentionCount(), 2);
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
