#include "island/IslandStress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace corvane {
namespace {

std::vector<StressStep> steps(std::uint64_t seed, std::size_t wingsCount, int count = 2000) {
    StressSequence sequence(seed, wingsCount);
    std::vector<StressStep> result;
    for (int i = 0; i < count; ++i) result.push_back(sequence.next());
    return result;
}

TEST(StressSequence, TheSeedFixesTheStepsWhichMixEveryInputScreenChangesAndNoticesWithinBounds) {
    const std::vector<StressStep> run = steps(42, 7);
    EXPECT_EQ(run, steps(42, 7));
    EXPECT_NE(run, steps(43, 7));

    std::map<StressStep::Kind, int> kinds;
    std::set<IslandInput> inputs;
    std::set<std::size_t> notices;
    for (const StressStep& step : run) {
        ++kinds[step.kind];
        EXPECT_GE(step.delaySeconds, 0);
        EXPECT_LE(step.delaySeconds, StressTiming::maxDelaySeconds);
        if (step.kind == StressStep::Kind::input) inputs.insert(step.input);
        if (step.kind != StressStep::Kind::wings) continue;
        notices.insert(step.wingsIndex);
        EXPECT_GE(step.holdSeconds, StressTiming::minWingsHoldSeconds);
        EXPECT_LE(step.holdSeconds, StressTiming::maxWingsHoldSeconds);
    }
    EXPECT_EQ(inputs.size(), allIslandInputs.size());
    EXPECT_EQ(notices, (std::set<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
    // One in twenty screen changes and one in ten notices, give or take chance.
    EXPECT_GT(kinds[StressStep::Kind::screenChange], 50);
    EXPECT_LT(kinds[StressStep::Kind::screenChange], 150);
    EXPECT_GT(kinds[StressStep::Kind::wings], 130);
    EXPECT_LT(kinds[StressStep::Kind::wings], 270);

    const std::vector<StressStep> withoutNotices = steps(42, 0);
    EXPECT_TRUE(std::none_of(withoutNotices.begin(), withoutNotices.end(),
                             [](const StressStep& s) { return s.kind == StressStep::Kind::wings; }));
}

TEST(StressReport, CleanOnlyWhenIdleWithNothingLeftAndMemoryWithinTolerance) {
    StressReport clean;
    clean.seed = 99;
    clean.inputs = 1800;
    clean.screenChanges = 70;
    clean.wings = 130;
    clean.windowsBefore = clean.windowsAfter = 2;
    clean.residentBefore = 40ULL << 20;
    clean.residentAfter = *clean.residentBefore + stressResidentToleranceBytes;

    struct Case {
        const char* what;
        void (*change)(StressReport&);
        bool clean;
    };
    const Case cases[] = {
        {"as measured", [](StressReport&) {}, true},
        {"fewer windows after", [](StressReport& r) { r.windowsAfter = 1; }, true},
        {"memory shrank", [](StressReport& r) { r.residentAfter = 30ULL << 20; }, true},
        {"memory not compared", [](StressReport& r) { r.residentAfter.reset(); r.residentBefore.reset(); }, true},
        {"one byte over", [](StressReport& r) { *r.residentAfter += 1; }, false},
        {"a window more", [](StressReport& r) { r.windowsAfter = 3; }, false},
        {"an island window left", [](StressReport& r) { r.islandWindowsLeft = 1; }, false},
        {"still pinned", [](StressReport& r) { r.state = IslandPhaseState::pinned; }, false},
        {"a timer pending", [](StressReport& r) { r.state = IslandPhaseState::pendingExpand; }, false},
    };
    for (const Case& c : cases) {
        StressReport report = clean;
        c.change(report);
        EXPECT_EQ(stressClean(report), c.clean) << c.what;
        const std::string line = stressSummaryLine(report);
        EXPECT_EQ(line.rfind("[stress] 2000 步", 0), 0U) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
        EXPECT_NE(line.find("种子 99："), std::string::npos) << line;
        EXPECT_NE(line.find(c.clean ? "干净" : "有泄漏"), std::string::npos) << line;
        EXPECT_EQ(line.find("未比较") != std::string::npos, !report.residentAfter) << line;
    }
    EXPECT_NE(stressSummaryLine(clean).find("40.0 → 44.0 MiB"), std::string::npos) << stressSummaryLine(clean);
}

} // namespace
} // namespace corvane
