#include "app/AlertRules.h"
#include "app/OptimizeTexts.h"
#include "app/TimerPlan.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(OptimizeTexts, ConfirmMessageWithRiskAndOneClickStartingWithTheBytes) {
    EXPECT_EQ(confirmMessage({"A", "B"}, {{"B", "X"}}), "将关闭：「A」、「B」。\n注意：「B」X。\n未保存的内容会先询问你。");
    EXPECT_EQ(oneClickMessage({"A"}, {}, 3ULL << 30), "约释放 3.0 GB。\n将关闭：「A」。\n未保存的内容会先询问你。");
}

TEST(OptimizeTexts, TenNamesListEightAndTheRest) {
    std::vector<std::string> names;
    for (int i = 1; i <= 10; ++i) names.push_back("N" + std::to_string(i));
    EXPECT_EQ(confirmMessage(names, {}),
              "将关闭：「N1」、「N2」、「N3」、「N4」、「N5」、「N6」、「N7」、「N8」 等 2 个。\n未保存的内容会先询问你。");
    names.resize(8);
    EXPECT_EQ(confirmMessage(names, {}).find("等"), std::string::npos);
}

TEST(OptimizeTexts, ResultSentences) {
    EXPECT_EQ(resultSentence(3, 0, 0), "已关闭 3 个。有未保存内容的会先问你。");
    EXPECT_EQ(resultSentence(0, 1, 2), "没有关闭任何软件，1 个正在用没动，2 个没能关掉。有未保存内容的会先问你。");
    EXPECT_EQ(resultSentence(0, 0, 0), "没有关闭任何软件。有未保存内容的会先问你。");
}

TEST(TimerPlan, FourStates) {
    EXPECT_EQ(timerPlan(true, false), (TimerPlan{{1, 0.2}, {5, 1}}));
    EXPECT_EQ(timerPlan(false, false), (TimerPlan{{45, 8}, {25, 8}}));
    EXPECT_EQ(timerPlan(true, true), (TimerPlan{{2, 0.2}, {10, 1}}));
    EXPECT_EQ(timerPlan(false, true), (TimerPlan{{90, 8}, {50, 8}}));
}

TEST(AlertRules, PressureTransitions) {
    using L = PressureLevel;
    EXPECT_TRUE(AlertRules::pressureLevelAlerts(L::normal, L::elevated, false));
    EXPECT_TRUE(AlertRules::pressureLevelAlerts(L::normal, L::critical, false));
    EXPECT_TRUE(AlertRules::pressureLevelAlerts(L::elevated, L::critical, false));
    EXPECT_FALSE(AlertRules::pressureLevelAlerts(L::critical, L::elevated, false));
    EXPECT_FALSE(AlertRules::pressureLevelAlerts(L::critical, L::normal, false));
    EXPECT_FALSE(AlertRules::pressureLevelAlerts(L::elevated, L::elevated, false));
    EXPECT_FALSE(AlertRules::pressureLevelAlerts(std::nullopt, L::critical, false));
    EXPECT_TRUE(AlertRules::pressureLevelAlerts(std::nullopt, L::critical, true));
    EXPECT_FALSE(AlertRules::pressureLevelAlerts(std::nullopt, L::normal, true));
}

TEST(AlertRules, DiskHourAndBounds) {
    const Date now = dateFromUnixSeconds(2'000'000'000);
    EXPECT_TRUE(AlertRules::shouldAlertDisk(1, std::nullopt, now));
    EXPECT_FALSE(AlertRules::shouldAlertDisk(0, std::nullopt, now));
    EXPECT_FALSE(AlertRules::shouldAlertDisk(AlertRules::lowDiskAlertBytes, std::nullopt, now));
    EXPECT_FALSE(AlertRules::shouldAlertDisk(1, addingSeconds(now, -3599.9), now));
    EXPECT_TRUE(AlertRules::shouldAlertDisk(1, addingSeconds(now, -3600), now));
}

} // namespace
} // namespace corvane
