#include "cli/WatchPrinter.h"

#include "CorvaneModel/app/ModelFixture.h"

#include <gtest/gtest.h>
#include <simdjson.h>

namespace corvane {
namespace {

using test::GiB;
using test::ModelFixture;

/// A finished-work notice whose project name carries terminal commands and a line break.
WingsContent hostileNotice() {
    WingsContent c;
    c.a11y = "Codex 干完了，\x1b]0;x\x07\n项目 · 等你看结果";
    c.jump = SessionRef{AIToolKind::codex, "rollout-\x1b[2J"};
    return c;
}

/// Two level changes, an unchanged sample, the notices those raise, and one hostile notice.
std::vector<std::string> printedLines(WatchFormat format) {
    ModelFixture f;
    std::vector<std::string> lines;
    WatchPrinter printer(f.model, format, [&lines](const std::string& line) { lines.push_back(line); });
    f.sample(PressureLevel::normal);
    f.sample(PressureLevel::normal); // unchanged: nothing printed
    f.sample(PressureLevel::critical, 10 * GiB);
    f.model->onWings(hostileNotice());
    return lines;
}

TEST(WatchPrinter, TextPrintsLevelChangesOnceAndEveryNoticeEscaped) {
    std::vector<std::string> sentences;
    for (const std::string& line : printedLines(WatchFormat::text)) {
        ASSERT_EQ(line.front(), '[') << line;
        ASSERT_EQ(line.find('\n'), line.size() - 1) << line;
        sentences.push_back(line.substr(line.find("] ") + 2));
    }
    EXPECT_EQ(sentences, (std::vector<std::string>{"内存压力：良好（已用 75%）\n", "内存压力：紧张（已用 75%）\n",
                                                   "内存紧张，已用 75%\n", "磁盘只剩 10 GB，点按查看\n",
                                                   "Codex 干完了，\\x1b]0;x\\x07\\x0a项目 · 等你看结果\n"}));
}

TEST(WatchPrinter, JsonPrintsOneStrictObjectPerLine) {
    const std::vector<std::string> lines = printedLines(WatchFormat::json);
    ASSERT_EQ(lines.size(), 5u);
    simdjson::dom::parser parser;
    std::vector<std::string> events;
    for (const std::string& line : lines) {
        ASSERT_EQ(line.find('\n'), line.size() - 1) << line;
        simdjson::dom::object object;
        ASSERT_EQ(parser.parse(line).get(object), simdjson::SUCCESS) << line;
        std::string_view time;
        ASSERT_EQ(object["time"].get(time), simdjson::SUCCESS);
        EXPECT_EQ(time.size(), 20u) << time; // YYYY-MM-DDTHH:MM:SSZ
        const std::size_t kind = line.find(",\"kind\"");
        EXPECT_EQ(line.substr(0, kind), "{\"time\":\"" + std::string(time) + "\"");
        events.push_back(line.substr(kind + 1, line.size() - kind - 2));
    }
    EXPECT_EQ(events, (std::vector<std::string>{
                          R"("kind":"level","level":"normal","usedPercent":75})",
                          R"("kind":"level","level":"critical","usedPercent":75})",
                          R"("kind":"notice","text":"内存紧张，已用 75%","session":null})",
                          R"("kind":"notice","text":"磁盘只剩 10 GB，点按查看","session":null})",
                          R"("kind":"notice","text":"Codex 干完了，\u001b]0;x\u0007\n项目 · 等你看结果",)"
                          R"("session":{"tool":"codex","id":"rollout-\u001b[2J"}})",
                      }));
}

} // namespace
} // namespace corvane
