#include "cli/StatusBarLine.h"
#include "cli/StatusBarPrinter.h"

#include "CorvaneModel/app/ModelFixture.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::GiB;

// The icon font's glyphs, UTF-8: memory chip U+E322, outlined and filled warning U+F083 and
// U+E002, bell U+E7F7.
const std::string chip = "\xEE\x8C\xA2";
const std::string warnOutline = "\xEF\x82\x83";
const std::string warnFilled = "\xEE\x80\x82";
const std::string bell = "\xEE\x9F\xB7";

struct BarCase {
    PressureLevel level;
    std::uint64_t usedMiB; // of 1000 MiB
    std::vector<std::string> waiting;
    std::string waybar;
    std::string i3blocks;
    std::string plain;
};

TEST(StatusBarLine, EveryFormatForEachLevelWithAndWithoutWaitingSessions) {
    const std::vector<BarCase> cases{
        {PressureLevel::normal, 124, {},
         R"({"text":")" + chip + R"( 12%","tooltip":"内存压力：良好，已用 12%","class":["normal"],"percentage":12})",
         R"({"full_text":")" + chip + R"( 12%","short_text":")" + chip + R"( 12%"})",
         "内存压力：良好，已用 12%"},
        // Half a percent rounds up, as the tray rounds it.
        {PressureLevel::elevated, 805, {"Claude Code 在等你回复 · corvane"},
         R"({"text":")" + warnOutline + R"( 81%","tooltip":"内存压力：偏紧，已用 81%；1 个 AI 会话等你\n)"
                                         R"(Claude Code 在等你回复 · corvane","class":["elevated","waiting"],"percentage":81})",
         R"({"full_text":")" + warnOutline + " 81%  " + bell + R"( 1","short_text":")" + warnOutline +
             R"( 81%","color":"#FF9500"})",
         "内存压力：偏紧，已用 81%；1 个 AI 会话等你"},
        {PressureLevel::critical, 1000, {},
         R"({"text":")" + warnFilled + R"( 100%","tooltip":"内存压力：紧张，已用 100%","class":["critical"],"percentage":100})",
         R"({"full_text":")" + warnFilled + R"( 100%","short_text":")" + warnFilled + R"( 100%","color":"#FF3B30"})",
         "内存压力：紧张，已用 100%"},
        // Names from outside are escaped for Pango markup and JSON; the plain line never carries them.
        {PressureLevel::critical, 4, {"Codex 在等你回复 · <b>a&b</b>\n", "Claude Code 可能卡住了 · x"},
         R"({"text":")" + warnFilled + R"( 0%","tooltip":"内存压力：紧张，已用 0%；2 个 AI 会话等你\n)"
                                        R"(Codex 在等你回复 · &lt;b&gt;a&amp;b&lt;/b&gt;\n\nClaude Code 可能卡住了 · x",)"
                                        R"("class":["critical","waiting"],"percentage":0})",
         R"({"full_text":")" + warnFilled + " 0%  " + bell + R"( 2","short_text":")" + warnFilled +
             R"( 0%","color":"#FF3B30"})",
         "内存压力：紧张，已用 0%；2 个 AI 会话等你"},
    };
    for (const BarCase& c : cases) {
        MemorySnapshot snapshot;
        snapshot.totalBytes = 1000ULL << 20;
        snapshot.freeBytes = (1000ULL - c.usedMiB) << 20;
        const StatusInputs inputs{c.level, usedPercent(snapshot), false, true, static_cast<int>(c.waiting.size())};
        const StatusBarLook look = statusBarLook(inputs, c.waiting);
        EXPECT_EQ(statusBarLine(BarFormat::waybar, look), c.waybar + "\n");
        EXPECT_EQ(statusBarLine(BarFormat::i3blocks, look), c.i3blocks + "\n");
        EXPECT_EQ(statusBarLine(BarFormat::plain, look), c.plain + "\n");
    }
}

AIToolStatus claude(std::vector<AISession> sessions) {
    return {AIToolKind::claudeCode, std::move(sessions), true};
}

/// What the bar in `format` prints through a run of samples and polls.
std::vector<std::string> printedLines(BarFormat format) {
    test::ModelFixture f;
    std::vector<std::string> lines;
    const auto printer =
        StatusBarPrinter::start(f.model, f.main, format, [&lines](const std::string& line) { lines.push_back(line); });
    const Date now = f.main->now();
    const AISession waiting{"s1", "corvane", AIActivity::waitingForUser, now};
    const AISession working{"s2", "site", AIActivity::working, now};

    f.sample(PressureLevel::normal);
    f.sample(PressureLevel::normal);          // the same sample again
    f.sampleAI({claude({working})});          // a session the bar does not show
    f.sampleAI({claude({waiting, working})}); // one waits: the count shows
    f.sampleAI({claude({working, waiting})}); // the same again, in another order
    f.sampleAI({claude({{"s3", "other", AIActivity::waitingForUser, now}, working})}); // another waits instead
    f.sample(PressureLevel::critical);
    return lines;
}

TEST(StatusBarPrinter, PrintsOnlyWhenWhatTheBarShowsChanges) {
    EXPECT_EQ(printedLines(BarFormat::plain),
              (std::vector<std::string>{"内存压力：良好，已用 75%\n", "内存压力：良好，已用 75%；1 个 AI 会话等你\n",
                                        "内存压力：紧张，已用 75%；1 个 AI 会话等你\n"}));
    // The tooltip names the waiting session, so the other one waiting is a new line there.
    const std::vector<std::string> waybar = printedLines(BarFormat::waybar);
    ASSERT_EQ(waybar.size(), 4U);
    EXPECT_NE(waybar[1].find("Claude Code 在等你回复 · corvane"), std::string::npos) << waybar[1];
    EXPECT_NE(waybar[2].find("Claude Code 在等你回复 · other"), std::string::npos) << waybar[2];
}

} // namespace
} // namespace corvane
