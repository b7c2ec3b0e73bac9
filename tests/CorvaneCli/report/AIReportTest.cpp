#include "AIWatcher.h"
#include "cli/report/AISection.h"
#include "cli/report/Report.h"
#include "support/FileRead.h"
#include "support/NamedProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>

namespace corvane {
namespace {

std::vector<AIToolStatus> sampleStatuses() {
    const Date since = dateFromUnixSeconds(1'800'000'000);
    return {{AIToolKind::claudeCode,
             {{"s1", std::string("shop"), AIActivity::waitingForUser, since},
              {"s2", std::nullopt, AIActivity::working, since}},
             true},
            {AIToolKind::claudeDesktop, {}, false},
            {AIToolKind::codex, {}, true}};
}

TEST(AIReport, JsonListsEveryToolWithItsSessions) {
    JsonWriter json;
    json.beginObject();
    writeAIJson(json, sampleStatuses());
    json.endObject();
    EXPECT_EQ(json.text(),
              R"({"ai":[{"tool":"claudeCode","isRunning":true,"activity":"waitingForUser","sessions":[)"
              R"({"id":"s1","project":"shop","activity":"waitingForUser","since":"2027-01-15T08:00:00Z"},)"
              R"({"id":"s2","project":null,"activity":"working","since":"2027-01-15T08:00:00Z"}]},)"
              R"({"tool":"claudeDesktop","isRunning":false,"activity":"notRunning","sessions":[]},)"
              R"({"tool":"codex","isRunning":true,"activity":"idle","sessions":[]}]})");
}

TEST(AIReport, TextNamesToolsActivitiesAndProjects) {
    std::string text;
    appendAIText(text, sampleStatuses());
    EXPECT_NE(text.find("Claude Code：等你回复（2 个会话）"), std::string::npos) << text;
    EXPECT_NE(text.find("shop · 等你回复 · 自 "), std::string::npos);
    EXPECT_NE(text.find("未命名项目 · 工作中"), std::string::npos);
    EXPECT_NE(text.find("Claude：未运行\n"), std::string::npos);
    EXPECT_NE(text.find("Codex：空闲\n"), std::string::npos);
    // Without a poll the report has no AI section at all.
    ReportData data;
    EXPECT_EQ(reportJson(data).find("\"ai\""), std::string::npos);
    EXPECT_EQ(reportText(data).find("AI 会话"), std::string::npos);
}

void copyWithAge(const std::string& fixture, const std::string& target, double ageSeconds) {
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    std::filesystem::copy_file(std::string(CORVANE_FIXTURES_DIR) + "/transcripts/" + fixture, target);
    const Date mtime = addingSeconds(std::chrono::system_clock::now(), -ageSeconds);
    const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(mtime.time_since_epoch()).count();
    const timespec times[2] = {{nanos / 1'000'000'000, nanos % 1'000'000'000}, {nanos / 1'000'000'000, nanos % 1'000'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, target.c_str(), times, 0), 0);
}

std::string todayFolder() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y/%m/%d", &local);
    return text;
}

// Integration against the live process table: real processes named "claude" and "codex", the
// default watcher configuration of a home folder holding captured transcripts.
TEST(AIReportLive, RealTranscriptsInATemporaryHomeAreClassified) {
    test::TempDir home;
    const std::string projects = home / ".claude/projects/-Users-me-src-shop/";
    copyWithAge("claude/end-turn-last.jsonl", projects + "done.jsonl", 40);
    copyWithAge("claude/pending-tool-use.jsonl", projects + "asking.jsonl", 90);
    copyWithAge("claude/interrupted-last.jsonl", projects + "stopped.jsonl", 10);
    copyWithAge("claude/text-without-stop-reason.jsonl", projects + "fresh.jsonl", 3);
    const std::string day = home / (".codex/sessions/" + todayFolder() + "/");
    copyWithAge("codex/task-complete.jsonl", day + "rollout-done.jsonl", 30);
    copyWithAge("codex/pending-function-call.jsonl", day + "rollout-calling.jsonl", 10);

    const test::NamedProcess claude("claude");
    const test::NamedProcess codex("codex");
    std::vector<AIToolStatus> statuses;
    {
        const test::ScopedEnvironment homeVariable("HOME", home.path());
        for (int attempt = 0; attempt < 50; ++attempt) {
            statuses = AIWatcher().statuses();
            if (statuses[0].isRunning && statuses[2].isRunning) break;
            ::usleep(20'000); // their command lines may not be in place yet
        }
    }

    ReportData data;
    data.ai = statuses;
    const std::string json = reportJson(data);
    auto expectSession = [&](const std::string& id, const std::string& project, const std::string& activity) {
        const std::string fragment = "{\"id\":\"" + id + "\",\"project\":\"" + project + "\",\"activity\":\"" + activity + "\"";
        EXPECT_NE(json.find(fragment), std::string::npos) << fragment << "\n" << json;
    };
    EXPECT_NE(json.find(R"({"tool":"claudeCode","isRunning":true,"activity":"waitingForUser")"), std::string::npos) << json;
    expectSession("done", "private", "waitingForUser");
    expectSession("asking", "codemie-code", "mayNeedConfirmation");
    expectSession("stopped", "spotter", "idle");
    expectSession("fresh", "repo", "working");
    EXPECT_NE(json.find(R"({"tool":"claudeDesktop","isRunning":false,"activity":"notRunning","sessions":[]})"),
              std::string::npos);
    expectSession("rollout-done", "workspace", "waitingForUser");
    expectSession("rollout-calling", "da0ba47443", "working");
}

} // namespace
} // namespace corvane
