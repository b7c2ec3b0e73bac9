#include "AIActivityRule.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct RuleCase {
    RawState state;
    double age;
    AIActivity expected;
};

class AIActivityRuleTable : public testing::TestWithParam<RuleCase> {};

// Each row holds at the default thresholds and, with every age doubled, at doubled thresholds.
TEST_P(AIActivityRuleTable, ActivityFollowsStateAndQuietTime) {
    const RuleCase row = GetParam();
    AIWatcherConfig config;
    EXPECT_EQ(activityFor(row.state, row.age, config), row.expected);
    config.waitingDebounce *= 2;
    config.confirmAfter *= 2;
    config.workingStaleAfter *= 2;
    EXPECT_EQ(activityFor(row.state, row.age * 2, config), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    StatesAndAges, AIActivityRuleTable,
    testing::Values(RuleCase{RawState::waitingText, -5, AIActivity::working},
                    RuleCase{RawState::waitingText, 14.9, AIActivity::working},
                    RuleCase{RawState::waitingText, 15, AIActivity::waitingForUser},
                    RuleCase{RawState::pendingTool, 60, AIActivity::working},
                    RuleCase{RawState::pendingTool, 60.5, AIActivity::mayNeedConfirmation},
                    RuleCase{RawState::busy, 300, AIActivity::working},
                    RuleCase{RawState::busy, 300.5, AIActivity::idle},
                    RuleCase{RawState::unknown, 300, AIActivity::working},
                    RuleCase{RawState::unknown, 300.5, AIActivity::idle},
                    RuleCase{RawState::idle, 0, AIActivity::idle}));

} // namespace
} // namespace corvane
