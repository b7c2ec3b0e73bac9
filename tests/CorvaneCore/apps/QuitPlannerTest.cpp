#include "apps/ForceQuit.h"
#include "apps/QuitPlanner.h"
#include "support/fakes/RecordingTerminator.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::RecordingTerminator;

constexpr std::uint64_t GiB = 1ULL << 30;

AppGroup idleApp(std::string id, std::uint64_t bytes, double idle = 3 * 3600,
                 SafetyVerdict safety = SafetyVerdict::canQuit(), bool regular = true) {
    AppGroup g;
    g.id = id;
    g.name = id;
    g.bundleID = std::move(id);
    g.pids = {10, 11};
    g.footprintBytes = bytes;
    g.isRegularApp = regular;
    g.idleSeconds = idle;
    g.safety = std::move(safety);
    return g;
}

TEST(QuitPlanner, FirstRunSuggestsNothingLaterTwoHoursIdleIsEnough) {
    EXPECT_TRUE(QuitPlanner::suggested({idleApp("a", GiB)}, true).empty());
    EXPECT_TRUE(QuitPlanner::suggested({idleApp("a", GiB, 7199)}, false).empty());
    EXPECT_EQ(QuitPlanner::suggested({idleApp("a", GiB, 7200)}, false).size(), 1u);
}

TEST(QuitPlanner, SuggestionsFilterOutRiskyCautionLockedUnknownAndBackground) {
    AppGroup unknownIdle = idleApp("unknown", 9 * GiB);
    unknownIdle.idleSeconds.reset();
    AppGroup plain = idleApp("tool", 1 * GiB);
    plain.bundleID.reset();
    const auto picked = QuitPlanner::suggested(
        {idleApp("com.tencent.xinWeChat", 9 * GiB), idleApp("discord", 9 * GiB),
         idleApp("caution", 9 * GiB, 3 * 3600, SafetyVerdict::caution("x")),
         idleApp("locked", 9 * GiB, 3 * 3600, SafetyVerdict::locked("x")), unknownIdle,
         idleApp("background", 9 * GiB, 3 * 3600, SafetyVerdict::canQuit(), false), plain},
        false);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].id, "tool");
}

TEST(QuitPlanner, SuggestsTheThreeLargestStably) {
    const auto picked = QuitPlanner::suggested({idleApp("1", GiB), idleApp("5", 5 * GiB), idleApp("3", 3 * GiB),
                                                idleApp("2", 2 * GiB), idleApp("4", 4 * GiB), idleApp("4b", 4 * GiB)},
                                               false);
    ASSERT_EQ(picked.size(), 3u);
    EXPECT_EQ(picked[0].id, "5");
    EXPECT_EQ(picked[1].id, "4");
    EXPECT_EQ(picked[2].id, "4b");
}

TEST(QuitPlanner, RiskNotesByPrefix) {
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("us.zoom.xos", 1)), "可能在会议中");
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("com.figma.Desktop", 1)), "可能有未同步的改动");
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("com.figmax", 1)), std::nullopt);
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("com.Spotify.client", 1)), std::nullopt) << "case-sensitive";
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("org.telegram.desktop", 1)), "可能有未读消息");
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("com.slack.Slack", 1)), "可能有未读消息或进行中的通话");
    EXPECT_EQ(QuitPlanner::riskNote(idleApp("thunderbird-esr", 1)), "可能有未发送的邮件");
    AppGroup plain = idleApp("x", 1);
    plain.bundleID.reset();
    EXPECT_EQ(QuitPlanner::riskNote(plain), std::nullopt);
}

TEST(QuitPlanner, QuitAsksEveryMemberAndSortsGroupsIntoReport) {
    RecordingTerminator terminator;
    terminator.refusing = {10, 20};
    AppGroup mixed = idleApp("mixed", GiB);
    AppGroup refusing = idleApp("refusing", GiB);
    refusing.pids = {20};
    AppGroup empty = idleApp("empty", GiB);
    empty.pids.clear();
    const AppGroup locked = idleApp("locked", GiB, 3 * 3600, SafetyVerdict::locked("x"));
    const AppGroup background = idleApp("background", GiB, 3 * 3600, SafetyVerdict::canQuit(), false);
    AppGroup cautious = idleApp("cautious", GiB, 3 * 3600, SafetyVerdict::caution("x"));
    cautious.pids = {11};

    const QuitReport report = QuitPlanner::quit({mixed, locked, refusing, empty, background, cautious}, terminator);
    EXPECT_EQ(report.requested, (std::vector<std::string>{"mixed", "cautious"}));
    EXPECT_EQ(report.failed, (std::vector<std::string>{"refusing", "empty"}));
    EXPECT_EQ(report.skipped, (std::vector<std::string>{"locked", "background"}));
    EXPECT_EQ(terminator.asked, (std::vector<std::int32_t>{10, 11, 20, 11}));
}

TEST(ForceQuit, RefusesIneligibleGroupsWithoutAnyCall) {
    RecordingTerminator terminator;
    AppGroup empty = idleApp("empty", GiB);
    empty.pids.clear();
    EXPECT_FALSE(ForceQuit::run(idleApp("locked", GiB, 3 * 3600, SafetyVerdict::locked("x")), terminator));
    EXPECT_FALSE(ForceQuit::run(idleApp("background", GiB, 3 * 3600, SafetyVerdict::canQuit(), false), terminator));
    EXPECT_FALSE(ForceQuit::run(empty, terminator));
    EXPECT_TRUE(terminator.asked.empty());
}

TEST(ForceQuit, AttemptsAllMembersAndSucceedsWhenOneEnds) {
    RecordingTerminator terminator;
    terminator.refusing = {11};
    EXPECT_TRUE(ForceQuit::run(idleApp("a", GiB), terminator));
    EXPECT_EQ(terminator.asked, (std::vector<std::int32_t>{10, 11}));
    terminator.refusing = {10, 11};
    EXPECT_FALSE(ForceQuit::run(idleApp("a", GiB), terminator));
}

} // namespace
} // namespace corvane
