#include "CodexParser.h"
#include "TranscriptFixtures.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const Date kMtime = dateFromUnixSeconds(1'750'000'000);

RawState stateOf(const std::string& text) {
    return CodexParser::parse(LineBuffer(text), kMtime).state;
}

std::string event(const std::string& payloadType) {
    return R"({"type":"event_msg","payload":{"type":")" + payloadType + "\"}}\n";
}

std::string item(const std::string& payload) {
    return R"({"type":"response_item","payload":)" + payload + "}\n";
}

struct RealCase {
    const char* file;
    int dropLastLines;
    RawState state;
};

class CodexParserReal : public testing::TestWithParam<RealCase> {};

TEST_P(CodexParserReal, SettlesTheCapturedState) {
    const RealCase& c = GetParam();
    const TailResult result = CodexParser::parse(
        LineBuffer(test::withoutLastLines(test::transcript(std::string("codex/") + c.file), c.dropLastLines)), kMtime);
    EXPECT_EQ(result.state, c.state);
    EXPECT_FALSE(result.cwd);
    EXPECT_EQ(result.mtime, kMtime);
}

INSTANTIATE_TEST_SUITE_P(
    Rollouts, CodexParserReal,
    testing::Values(RealCase{"task-complete.jsonl", 0, RawState::waitingText},
                    // one line earlier: token_count after a final_answer message
                    RealCase{"task-complete.jsonl", 1, RawState::waitingText},
                    RealCase{"task-complete-session.jsonl", 0, RawState::waitingText},
                    // token_count after a function_call
                    RealCase{"pending-function-call.jsonl", 0, RawState::pendingTool},
                    // one line earlier still: a commentary message, so working
                    RealCase{"pending-function-call.jsonl", 2, RawState::busy},
                    // an older rollout without task events, ending on output then turn_context
                    RealCase{"older-without-task-events.jsonl", 0, RawState::busy},
                    RealCase{"final-answer-without-task-events.jsonl", 0, RawState::waitingText},
                    // a reasoning item is skipped down to the function_call_output before it
                    RealCase{"final-answer-without-task-events.jsonl", 1, RawState::busy},
                    // task_started, then the user's message and its event
                    RealCase{"just-started-turn.jsonl", 0, RawState::busy},
                    // hand-written: turn_aborted followed by token_count
                    RealCase{"handwritten-turn-aborted.jsonl", 0, RawState::waitingText}));

TEST(CodexParser, LineRules) {
    EXPECT_EQ(stateOf(event("task_complete")), RawState::waitingText);
    EXPECT_EQ(stateOf(event("turn_aborted")), RawState::waitingText);
    EXPECT_EQ(stateOf(event("task_started")), RawState::busy);
    EXPECT_EQ(stateOf(item(R"({"type":"message","role":"assistant","phase":"final_answer"})")), RawState::waitingText);
    EXPECT_EQ(stateOf(item(R"({"type":"message","role":"assistant","phase":"commentary"})")), RawState::busy);
    EXPECT_EQ(stateOf(item(R"({"type":"message","role":"assistant"})")), RawState::busy);
    EXPECT_EQ(stateOf(item(R"({"type":"message","role":"assistant","phase":1})")), RawState::busy);
    EXPECT_EQ(stateOf(item(R"({"type":"function_call_output"})")), RawState::busy);
    EXPECT_EQ(stateOf(item(R"({"type":"custom_tool_call_output"})")), RawState::busy);
    EXPECT_EQ(stateOf(item(R"({"type":"function_call"})")), RawState::pendingTool);
    EXPECT_EQ(stateOf(item(R"({"type":"web_search_call"})")), RawState::pendingTool);
    // The output test comes first: "_call_output" also ends in neither "_call".
    EXPECT_EQ(stateOf(item(R"({"type":"x_call"})") + item(R"({"type":"x_call_output"})")), RawState::busy);
}

TEST(CodexParser, SkippedLinesLeaveTheStateToOlderOnes) {
    const std::string base = item(R"({"type":"function_call"})");
    for (const std::string& skipped :
         {event("token_count"), event("agent_message"), item(R"({"type":"reasoning"})"),
          item(R"({"type":"message","role":"user"})"), item(R"({"type":"message"})"),
          std::string(R"({"type":"turn_context","payload":{"type":"task_complete"}})") + "\n",
          std::string(R"({"type":"event_msg","payload":"task_complete"})") + "\n",
          std::string(R"({"type":"event_msg"})") + "\n", std::string(R"({"payload":{"type":"task_complete"}})") + "\n",
          std::string(R"({"type":["event_msg"],"payload":{"type":"task_complete"}})") + "\n",
          std::string("{\"type\":\"event_msg\",\"payload\":{\"type\":\"task_complete\"}\n"), std::string("[1]\n")}) {
        EXPECT_EQ(stateOf(base + skipped), RawState::pendingTool) << skipped;
    }
    EXPECT_EQ(stateOf(event("token_count")), RawState::unknown);
    EXPECT_EQ(stateOf(""), RawState::unknown);
}

TEST(CodexParser, WorkingDirectoryFromFirstLine) {
    const std::string real = test::transcript("codex/task-complete.jsonl");
    EXPECT_EQ(CodexParser::cwd(real.substr(0, real.find('\n'))), "/tmp/agent-history-real-agent/codex/workspace");
    // Escaped backslash and quote are undone.
    EXPECT_EQ(CodexParser::cwd(R"({"payload":{"cwd":"C:\\work\\a\"b"}})"), "C:\\work\\a\"b");
    EXPECT_EQ(CodexParser::cwd(R"({"cwd" :	"/caf\u00e9/x\/y"})"), "/café/x/y");
    // Escapes JSON does not know leave the raw text.
    EXPECT_EQ(CodexParser::cwd(R"({"cwd":"/a\qb"})"), "/a\\qb");
    EXPECT_EQ(CodexParser::cwd(R"({"cwd":"/a\ud800"})"), "/a\\ud800");
    // Invalid bytes are repaired before the search.
    EXPECT_EQ(CodexParser::cwd("{\"cwd\":\"/a\xFF\"}"), "/a\xEF\xBF\xBD");
    EXPECT_FALSE(CodexParser::cwd(R"({"payload":{"cwd":5}})"));
    EXPECT_FALSE(CodexParser::cwd(R"({"cwd":"unterminated)"));
    EXPECT_FALSE(CodexParser::cwd(""));
    EXPECT_EQ(CodexParser::cwd(R"({"cwd":""})"), "");
}

} // namespace
} // namespace corvane
