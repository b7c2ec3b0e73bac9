#include "ClaudeCodeParser.h"
#include "TranscriptFixtures.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const Date kMtime = dateFromUnixSeconds(1'750'000'000);

TailResult parseText(const std::string& text) {
    return ClaudeCodeParser::parse(LineBuffer(text), kMtime);
}

std::string assistant(const std::string& content, const std::string& stopReason, const std::string& extra = "") {
    return R"({"type":"assistant",)" + extra + R"("message":{"role":"assistant","content":)" + content +
           R"(,"stop_reason":)" + stopReason + "}}\n";
}

std::string user(const std::string& content, const std::string& extra = "") {
    return R"({"type":"user",)" + extra + R"("message":{"role":"user","content":)" + content + "}}\n";
}

struct RealCase {
    const char* file;
    int dropLastLines;
    RawState state;
    const char* cwd;
};

class ClaudeCodeParserReal : public testing::TestWithParam<RealCase> {};

TEST_P(ClaudeCodeParserReal, SettlesTheCapturedState) {
    const RealCase& c = GetParam();
    const TailResult result = parseText(test::withoutLastLines(test::transcript(std::string("claude/") + c.file),
                                                               c.dropLastLines));
    EXPECT_EQ(result.state, c.state);
    ASSERT_TRUE(result.cwd);
    EXPECT_EQ(*result.cwd, c.cwd);
    EXPECT_EQ(result.mtime, kMtime);
}

INSTANTIATE_TEST_SUITE_P(
    Transcripts, ClaudeCodeParserReal,
    testing::Values(
        // end_turn followed by a last-prompt line
        RealCase{"end-turn-then-last-prompt.jsonl", 0, RawState::waitingText, "/tmp/agent-history-real-agent/claude/workspace"},
        RealCase{"end-turn-last.jsonl", 0, RawState::waitingText, "/tmp/private"},
        // end_turn, then system stop-hook and turn-duration lines
        RealCase{"end-turn-then-system.jsonl", 0, RawState::waitingText, "/Users/User/repo/codemie-ai/codemie-code"},
        // a finished turn whose last text has stop_reason null
        RealCase{"text-without-stop-reason.jsonl", 0, RawState::waitingText, "/Users/user/repo"},
        // the same transcript one line earlier: it ended on a thinking block, still working
        RealCase{"text-without-stop-reason.jsonl", 1, RawState::busy, "/Users/user/repo"},
        RealCase{"pending-tool-use.jsonl", 0, RawState::pendingTool, "/Users/User/repo/codemie-ai/codemie-code"},
        // one line earlier the newest line was a thinking block without stop reason
        RealCase{"pending-tool-use.jsonl", 1, RawState::busy, "/Users/User/repo/codemie-ai/codemie-code"},
        RealCase{"interrupted-last.jsonl", 0, RawState::idle, "/home/marco/projects/spotter"},
        // one line earlier the newest line was a tool result
        RealCase{"interrupted-last.jsonl", 1, RawState::busy, "/home/marco/projects/spotter"},
        // "[Request interrupted by user for tool use]" followed by two local-command system lines
        RealCase{"interrupted-for-tool-use.jsonl", 0, RawState::idle, "/home/marco/projects/spotter"},
        // a side-chain file never settles but supplies its directory
        RealCase{"sidechain-only.jsonl", 0, RawState::unknown, "/tmp/private"}));

TEST(ClaudeCodeParser, StopReasonRules) {
    const std::string text = R"([{"type":"text","text":"done"}])";
    const std::string thinking = R"([{"type":"thinking","thinking":"..."}])";
    EXPECT_EQ(parseText(assistant(text, R"("end_turn")")).state, RawState::waitingText);
    EXPECT_EQ(parseText(assistant(thinking, "null")).state, RawState::busy);
    EXPECT_EQ(parseText(assistant(text, "null")).state, RawState::waitingText);
    for (const char* reason : {R"("stop_sequence")", R"("max_tokens")", R"("refusal")"}) {
        EXPECT_EQ(parseText(assistant(thinking, reason)).state, RawState::waitingText) << reason;
    }
    EXPECT_EQ(parseText(assistant(text, R"("pause_turn")")).state, RawState::busy);
    EXPECT_EQ(parseText(assistant(text, R"("tool_use")")).state, RawState::pendingTool);
    // A tool_use item wins over any stop reason.
    EXPECT_EQ(parseText(assistant(R"([{"type":"text","text":"x"},{"type":"tool_use","id":"t"}])", R"("end_turn")")).state,
              RawState::pendingTool);
    // Items without a string type are left out; the last typed item decides.
    EXPECT_EQ(parseText(assistant(R"([{"type":"text"},{"type":7},"loose",{}])", "null")).state, RawState::waitingText);
    // Empty, non-array and missing content fall back to busy without a stop reason.
    EXPECT_EQ(parseText(assistant("[]", "null")).state, RawState::busy);
    EXPECT_EQ(parseText(assistant(R"("plain text")", "null")).state, RawState::busy);
    EXPECT_EQ(parseText(R"({"type":"assistant","message":"not an object"})").state, RawState::busy);
    EXPECT_EQ(parseText(R"({"type":"assistant","message":{"stop_reason":"end_turn"}})").state, RawState::waitingText);
    // A non-string stop reason counts as absent.
    EXPECT_EQ(parseText(assistant(text, "3")).state, RawState::waitingText);
}

TEST(ClaudeCodeParser, UserLineRules) {
    EXPECT_EQ(parseText(user(R"("[Request interrupted by user]")")).state, RawState::idle);
    EXPECT_EQ(parseText(user(R"([{"type":"text","text":"[Request interrupted by user for tool use]"}])")).state,
              RawState::idle);
    // Only the first element counts, and only a text element.
    EXPECT_EQ(parseText(user(R"([{"type":"tool_result","content":"x"},{"type":"text","text":"[Request interrupted"}])")).state,
              RawState::busy);
    EXPECT_EQ(parseText(user(R"([{"type":"image","text":"[Request interrupted"}])")).state, RawState::busy);
    EXPECT_EQ(parseText(user(R"("please continue [Request interrupted")")).state, RawState::busy);
    EXPECT_EQ(parseText(user(R"([{"type":"tool_result","tool_use_id":"t","content":"ok"}])")).state, RawState::busy);
    EXPECT_EQ(parseText(user("null")).state, RawState::busy);
    EXPECT_EQ(parseText(R"({"type":"user"})").state, RawState::busy);
}

TEST(ClaudeCodeParser, SkipsWhatCannotSettle) {
    const std::string waiting = assistant(R"([{"type":"text","text":"hi"}])", R"("end_turn")");
    // Newer invalid, non-object, other-typed and side-chain lines are walked past.
    const std::string tail = waiting + "{\"type\":\"user\",\"message\":{\"content\":\"cut\n" + "[1,2]\n" +
                             "\"just a string\"\n" + R"({"type":"summary","summary":"x"})" + "\n" + R"({"type":7})" +
                             "\n" + user(R"("side")", R"("isSidechain":true,)") +
                             R"({"type":"user","message":{"content":"trailing garbage"}} x)" + "\n" +
                             "{\"type\":\"user\",\"message\":{\"content\":\"bad utf8 \xC3\x28\"}}\n";
    EXPECT_EQ(parseText(tail).state, RawState::waitingText);
    // isSidechain must be the boolean true to skip.
    EXPECT_EQ(parseText(waiting + user(R"("x")", R"("isSidechain":"true",)")).state, RawState::busy);
    EXPECT_EQ(parseText("").state, RawState::unknown);
}

TEST(ClaudeCodeParser, IntegersBeyondSixtyFourBitsAreValidNumbers) {
    // JavaScript writes such integers in full; the line still settles the state.
    const std::string usage = R"("usage":{"input_tokens":123456789012345678901234567890,"delta":-9223372036854775809,)"
                              R"("cache":18446744073709551616},)";
    const std::string older = user(R"("go")");
    EXPECT_EQ(parseText(older + assistant(R"([{"type":"text","text":"done"}])", R"("end_turn")", usage)).state,
              RawState::waitingText);
}

TEST(ClaudeCodeParser, WorkingDirectoryComesFromNewestLineThatHasOne) {
    const std::string text = user(R"("old")", R"("cwd":"/old",)") +
                             assistant(R"([{"type":"text","text":"a"}])", R"("end_turn")") +
                             R"({"type":"system","cwd":"/newest"})" + "\n" + R"({"type":"summary","cwd":""})" + "\n";
    const TailResult result = parseText(text);
    EXPECT_EQ(result.state, RawState::waitingText);
    EXPECT_EQ(result.cwd, "/newest");
    // A side-chain line supplies the directory though it cannot settle the state.
    const TailResult side = parseText(user(R"("x")") + user(R"("y")", R"("isSidechain":true,"cwd":"/side",)"));
    EXPECT_EQ(side.state, RawState::busy);
    EXPECT_EQ(side.cwd, "/side");
    // A non-string cwd is ignored.
    EXPECT_FALSE(parseText(user(R"("x")", R"("cwd":5,)")).cwd);
}

} // namespace
} // namespace corvane
