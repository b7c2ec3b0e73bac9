#include "app/AIRows.h"
#include "app/AlertThrottle.h"
#include "app/WorkTracker.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const Date t0 = dateFromUnixSeconds(1'900'000'000);

Date at(double seconds) {
    return addingSeconds(t0, seconds);
}

AISession session(std::string id, AIActivity activity, Date since, std::optional<std::string> project = "web") {
    return AISession{std::move(id), std::move(project), activity, since};
}

AIToolStatus status(AIToolKind kind, std::vector<AISession> sessions, bool running = true) {
    return AIToolStatus{kind, std::move(sessions), running};
}

TEST(WorkTracker, WorkThenWaitGivesFinishedNoteRoundedToMinutes) {
    auto first = WorkTracker::update({}, {status(AIToolKind::claudeCode, {session("s1", AIActivity::working, t0)})}, at(10));
    EXPECT_EQ(first.starts.at("claudeCode/s1"), t0);
    // Still working later: the first start stays.
    first = WorkTracker::update(first.starts, {status(AIToolKind::claudeCode, {session("s1", AIActivity::working, at(100))})},
                                at(110));
    EXPECT_EQ(first.starts.at("claudeCode/s1"), t0);
    const auto done = WorkTracker::update(
        first.starts, {status(AIToolKind::claudeCode, {session("s1", AIActivity::waitingForUser, at(320))})}, at(330));
    EXPECT_TRUE(done.starts.empty());
    const FinishedEvent& e = done.finished.at("claudeCode/s1");
    EXPECT_EQ(e.minutes, 5);
    EXPECT_EQ(e.title, "Claude Code 干完了");
    EXPECT_EQ(e.subtitle, "web · 用了 5 分钟 · 等你看结果");
}

TEST(WorkTracker, ShortWorkConfirmationPauseAndVanishing) {
    auto u = WorkTracker::update({}, {status(AIToolKind::codex, {session("a", AIActivity::working, t0),
                                                                  session("b", AIActivity::working, t0)})},
                                 at(1));
    u = WorkTracker::update(u.starts, {status(AIToolKind::codex, {session("a", AIActivity::mayNeedConfirmation, at(30)),
                                                                   session("b", AIActivity::waitingForUser, at(40))})},
                            at(41));
    EXPECT_TRUE(u.finished.empty()); // 40 s of work is not a finished piece
    EXPECT_EQ(u.starts.count("codex/a"), 1U);
    EXPECT_EQ(u.starts.count("codex/b"), 0U);
    u = WorkTracker::update(u.starts, {status(AIToolKind::codex, {})}, at(50));
    EXPECT_TRUE(u.starts.empty()); // a vanished session loses its start
}

TEST(WorkTracker, KeepsTheLatest64Starts) {
    std::vector<AISession> sessions;
    for (int i = 0; i < 70; ++i) sessions.push_back(session("s" + std::to_string(i), AIActivity::working, at(i)));
    const auto u = WorkTracker::update({}, {status(AIToolKind::codex, sessions)}, at(100));
    ASSERT_EQ(u.starts.size(), 64U);
    EXPECT_EQ(u.starts.count("codex/s5"), 0U);
    EXPECT_EQ(u.starts.count("codex/s6"), 1U);
}

TEST(FinishedEvent, EndIsClampedBetweenStartAndNow) {
    const AISession waiting = session("s", AIActivity::waitingForUser, at(600), std::nullopt);
    EXPECT_EQ(finishedEvent(waiting, t0, at(90), AIToolKind::codex)->minutes, 2); // end = now (90 s → 1.5 → 2)
    EXPECT_EQ(finishedEvent(waiting, at(700), at(800), AIToolKind::codex), std::nullopt);
    EXPECT_EQ(finishedEvent(waiting, std::nullopt, at(800), AIToolKind::codex), std::nullopt);
    EXPECT_EQ(finishedEvent(waiting, t0, at(800), AIToolKind::codex)->subtitle, "未命名项目 · 用了 10 分钟 · 等你看结果");
}

TEST(AIRows, DurationTexts) {
    EXPECT_EQ(waitText(t0, at(30)), "刚刚");
    EXPECT_EQ(waitText(t0, at(-5)), "刚刚");
    EXPECT_EQ(waitText(t0, at(12 * 60 + 59)), "等了 12 分钟");
    EXPECT_EQ(waitText(t0, at(2 * 3600 + 100)), "等了 2 小时");
    EXPECT_EQ(runText(t0, at(59)), "刚开始");
    EXPECT_EQ(runText(t0, at(60)), "已 1 分钟");
    EXPECT_EQ(wholeMinutes(t0, at(59)), std::nullopt);
    EXPECT_EQ(wholeMinutes(t0, at(3599)), 59);
    EXPECT_EQ(wholeMinutes(t0, at(3600)), std::nullopt);
}

TEST(AIRows, WaitingRowsOldestFirstNumberedPerProject) {
    const auto rows = makeAIRows({status(AIToolKind::claudeCode, {session("new", AIActivity::waitingForUser, at(100)),
                                                                  session("old", AIActivity::waitingForUser, at(0))})},
                                 at(12 * 60), {});
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].id, "claudeCode/old");
    EXPECT_EQ(rows[0].title, "Claude Code 在等你回复");
    EXPECT_EQ(rows[0].subtitle, "web #1 · 等了 12 分钟");
    EXPECT_EQ(rows[0].durationLead, "web #1 · 等了 ");
    EXPECT_EQ(rows[0].durationMinutes, 12);
    EXPECT_EQ(rows[0].durationTail, " 分钟");
    EXPECT_EQ(rows[1].subtitle, "web #2 · 等了 10 分钟");
}

TEST(AIRows, FreshAndOldWaitsHaveNoAnimatedMinutes) {
    const auto fresh = makeAIRows({status(AIToolKind::codex, {session("s", AIActivity::waitingForUser, t0)})}, at(30), {});
    EXPECT_EQ(fresh[0].subtitle, "web · 刚刚");
    EXPECT_EQ(fresh[0].durationMinutes, std::nullopt);
    const auto old = makeAIRows({status(AIToolKind::codex, {session("s", AIActivity::waitingForUser, t0)})}, at(7200), {});
    EXPECT_EQ(old[0].subtitle, "web · 等了 2 小时");
    EXPECT_TRUE(old[0].durationLead.empty());
}

TEST(AIRows, FinishedNoteAndStuckSession) {
    std::map<std::string, FinishedEvent> finished;
    finished["codex/s"] = FinishedEvent{AIToolKind::codex, "web", 5, "Codex 干完了", "web · 用了 5 分钟 · 等你看结果"};
    const auto rows = makeAIRows({status(AIToolKind::codex, {session("s", AIActivity::waitingForUser, t0),
                                                             session("c", AIActivity::mayNeedConfirmation, at(1), "")})},
                                 at(400), finished);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].title, "Codex 干完了");
    EXPECT_EQ(rows[0].subtitle, "web · 用了 5 分钟 · 等你看结果");
    EXPECT_EQ(rows[1].title, "Codex 可能卡住了");
    EXPECT_EQ(rows[1].subtitle, "未命名项目 · 好一会儿没动静");
}

TEST(AIRows, ToolRowsSummariseRunningTools) {
    const auto rows = makeAIRows(
        {status(AIToolKind::claudeCode, {}, false),                       // not running, nothing: no row
         status(AIToolKind::claudeDesktop, {}, true),                     // running, idle
         status(AIToolKind::codex, {session("a", AIActivity::working, at(0), "api"),
                                    session("b", AIActivity::working, at(300), "web"),
                                    session("c", AIActivity::idle, at(5), "docs")})},
        at(15 * 60), {});
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0].id, "tool-claudeDesktop");
    EXPECT_EQ(rows[0].title, "Claude 空闲");
    EXPECT_EQ(rows[0].subtitle, "");
    EXPECT_EQ(rows[0].since, std::nullopt);
    EXPECT_EQ(rows[1].title, "Codex 工作中");
    EXPECT_EQ(rows[1].subtitle, "2 个会话 · 已 15 分钟");
    EXPECT_EQ(rows[1].durationLead, "2 个会话 · 已 ");
    EXPECT_EQ(rows[1].sessionID, "a");
    EXPECT_FALSE(rows[1].needsAttention);
}

TEST(AIRows, SingleWorkingSessionJustStarted) {
    const auto rows =
        makeAIRows({status(AIToolKind::codex, {session("a", AIActivity::working, at(0), std::nullopt)})}, at(20), {});
    EXPECT_EQ(rows[0].subtitle, "刚开始");
    EXPECT_EQ(rows[0].durationMinutes, std::nullopt);
}

TEST(AlertThrottle, ThreeFailuresInTenSecondsFireOnce) {
    AlertThrottle throttle{30, std::nullopt};
    EXPECT_TRUE(throttle.shouldFire(t0));
    EXPECT_FALSE(throttle.shouldFire(at(5)));
    EXPECT_FALSE(throttle.shouldFire(at(10)));
    EXPECT_TRUE(throttle.shouldFire(at(30)));
}

} // namespace
} // namespace corvane
