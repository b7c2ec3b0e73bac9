#include "cli/report/Report.h"
#include "cli/report/TerminalText.h"
#include "support/RawControl.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>
#include <simdjson.h>

namespace corvane {
namespace {

TEST(TerminalText, EscapesControlsAndBackslashesAndReplacesInvalidBytes) {
    const struct {
        std::string_view input;
        std::string_view shown;
    } cases[] = {
        {"编辑器 Editor「b」", "编辑器 Editor「b」"},
        {"\x1b[2J\x1b]0;title\x07", R"(\x1b[2J\x1b]0;title\x07)"},
        {std::string_view("a\0\n\t\r\x1f", 6), R"(a\x00\x0a\x09\x0d\x1f)"},
        {"\x7f\xC2\x80\xC2\x9b\xC2\x9f\xC2\xA0", "\\x7f\\x80\\x9b\\x9f\xC2\xA0"},
        {R"(C:\x1b)", R"(C:\\x1b)"}, // a literal backslash never reads as an escape
        {"\xFF\x9b", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xE6\x96\x1b", "\xEF\xBF\xBD\\x1b"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) EXPECT_EQ(terminalSafe(c.input), c.shown) << testing::PrintToString(c.input);
}

/// A name as a hostile file, window or session could carry it: terminal commands, a C1 CSI, DEL,
/// a line break that fakes a report line, and bytes that are not UTF-8.
const std::string hostile = "x\x1b]0;owned\x07\x1b[31m\xC2\x9b" "2J\x7f\n  伪造：行\xFF\xE6\x96";
/// `hostile` after a strict JSON parse: the same characters, each invalid run as one U+FFFD.
const std::string hostileDecoded = "x\x1b]0;owned\x07\x1b[31m\xC2\x9b" "2J\x7f\n  伪造：行\xEF\xBF\xBD\xEF\xBF\xBD";

ReportData hostileReport() {
    ReportData data;
    AppGroup group;
    group.id = hostile;
    group.name = hostile + "name";
    group.bundleID = hostile + "class";
    data.apps = AppsReport{{group}, true};
    DiskReport disk;
    disk.items.push_back(DiskItem{hostile + "id", hostile + "title", hostile + "detail", 1, DiskRisk::confirm,
                                  {hostile + "owner"}, {"/home/u/.cache/" + hostile}, hostile + "blocked", false});
    data.disk = disk;
    data.ai = {{AIToolKind::codex, {{hostile + "session", hostile + "project", AIActivity::idle, Date{}}}, true}};
    return data;
}

TEST(ReportSafety, TextShowsEveryOutsideNameEscaped) {
    const std::string text = reportText(hostileReport());
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(test::firstRawControl(text), std::string::npos) << text;
    const std::string shown = R"(x\x1b]0;owned\x07\x1b[31m\x9b2J\x7f\x0a  伪造：行)" "\xEF\xBF\xBD\xEF\xBF\xBD";
    for (const char* field : {"name（", "class）", "title：", "detail\n", "blocked\n", "project · ", "session\n"}) {
        EXPECT_NE(text.find(shown + field), std::string::npos) << field << "\n" << text;
    }
}

TEST(ReportSafety, JsonParsesStrictlyAndCarriesEveryNameRepaired) {
    const std::string json = reportJson(hostileReport());
    EXPECT_EQ(test::firstRawControl(json), std::string::npos) << json;
    EXPECT_EQ(json.find('\n'), json.size() - 1);
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    ASSERT_EQ(parser.parse(json).get(root), simdjson::SUCCESS) << json;

    const auto text = [&](const char* pointer) {
        std::string_view value;
        EXPECT_EQ(root.at_pointer(pointer).get(value), simdjson::SUCCESS) << pointer;
        return std::string(value);
    };
    EXPECT_EQ(text("/apps/groups/0/id"), hostileDecoded);
    EXPECT_EQ(text("/apps/groups/0/name"), hostileDecoded + "name");
    EXPECT_EQ(text("/apps/groups/0/identity"), hostileDecoded + "class");
    EXPECT_EQ(text("/disk/items/0/id"), hostileDecoded + "id");
    EXPECT_EQ(text("/disk/items/0/title"), hostileDecoded + "title");
    EXPECT_EQ(text("/disk/items/0/detail"), hostileDecoded + "detail");
    EXPECT_EQ(text("/disk/items/0/ownerBundleIDs/0"), hostileDecoded + "owner");
    EXPECT_EQ(text("/disk/items/0/paths/0"), "/home/u/.cache/" + hostileDecoded);
    EXPECT_EQ(text("/disk/items/0/blockedReason"), hostileDecoded + "blocked");
    EXPECT_EQ(text("/ai/0/sessions/0/id"), hostileDecoded + "session");
    EXPECT_EQ(text("/ai/0/sessions/0/project"), hostileDecoded + "project");
}

} // namespace
} // namespace corvane
