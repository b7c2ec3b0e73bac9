#include "cli/CommandLine.h"
#include "memory/VerdictMaker.h"
#include "cli/report/JsonWriter.h"
#include "cli/report/Report.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;

ReportData sampleReport() {
    ReportData data;
    MemorySnapshot& s = data.snapshot;
    s.timestamp = dateFromUnixSeconds(1'800'000'000);
    s.totalBytes = 16 * GiB;
    s.appBytes = 6 * GiB;
    s.wiredBytes = 2 * GiB;
    s.compressedBytes = GiB;
    s.cachedBytes = 4 * GiB;
    s.freeBytes = 3 * GiB;
    s.swapUsedBytes = 2 * GiB;
    s.swapTotalBytes = 4 * GiB;
    s.diskFreeBytes = 5 * GiB;
    s.diskTotalBytes = 500 * GiB;
    s.level = PressureLevel::elevated;
    data.verdict = VerdictMaker::make(s);
    return data;
}

TEST(Report, JsonCarriesBytesAsIntegersAndCaseNames) {
    const std::string json = reportJson(sampleReport());
    EXPECT_EQ(json,
              "{\"memory\":{\"timestamp\":\"2027-01-15T08:00:00Z\",\"usedPercent\":56,\"usedBytes\":9663676416,"
              "\"totalBytes\":17179869184,\"appBytes\":6442450944,\"wiredBytes\":2147483648,"
              "\"compressedBytes\":1073741824,\"cachedBytes\":4294967296,\"freeBytes\":3221225472,"
              "\"swapUsedBytes\":2147483648,\"swapTotalBytes\":4294967296,\"diskFreeBytes\":5368709120,"
              "\"diskTotalBytes\":536870912000,\"level\":\"elevated\"},"
              "\"verdict\":{\"level\":\"elevated\",\"headline\":\"内存偏紧，建议关掉暂时不用的软件\","
              "\"advice\":\"磁盘只剩 5.0 GB，快满了会让电脑变卡，建议腾出空间；再关掉很久没用的软件。\","
              "\"action\":\"freeDisk\"}}\n");
}

TEST(Report, TextShowsFiguresAndVerdictInChinese) {
    const std::string text = reportText(sampleReport());
    EXPECT_NE(text.find("已用：56%（9.0 GB / 共 16 GB）"), std::string::npos) << text;
    EXPECT_NE(text.find("状态：偏紧"), std::string::npos);
    EXPECT_NE(text.find("交换：已用 2.0 GB / 共 4.0 GB"), std::string::npos);
    EXPECT_NE(text.find("磁盘：可用 5.0 GB / 共 500 GB"), std::string::npos);
    EXPECT_NE(text.find("内存偏紧，建议关掉暂时不用的软件"), std::string::npos);
    EXPECT_NE(text.find("建议：腾出磁盘空间"), std::string::npos);
}

TEST(JsonWriter, BuildsNestedMembers) {
    JsonWriter json;
    json.beginObject().key("a\"b").value("x").key("n").null();
    json.key("list").beginArray().value(1).value(true).value(2.5).endArray().endObject();
    EXPECT_EQ(json.text(), "{\"a\\\"b\":\"x\",\"n\":null,\"list\":[1,true,2.5]}");
}

TEST(JsonWriter, StringsAreValidUtf8WithEveryControlCharacterEscaped) {
    const struct {
        std::string_view input;
        std::string_view json;
    } cases[] = {
        {"编辑器 ok", R"("编辑器 ok")"},
        {"q\"b\\", R"("q\"b\\")"},
        {"\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {std::string_view("\0\x01\x1b[31m\x1f", 8), R"("\u0000\u0001\u001b[31m\u001f")"},
        {"\x7f\xC2\x80\xC2\x9b\xC2\x9f\xC2\xA0", "\"\\u007f\\u0080\\u009b\\u009f\xC2\xA0\""},
        {"\xE2\x80\xA8\xE2\x80\xA9", R"("\u2028\u2029")"},
        {"a\xFF" "b", "\"a\xEF\xBF\xBD" "b\""},
        {"\xE6\x96" "\x1b", "\"\xEF\xBF\xBD\\u001b\""},               // one U+FFFD for a cut-short sequence
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""}, // and one for each byte of a surrogate
    };
    for (const auto& c : cases) {
        JsonWriter json;
        json.value(c.input);
        EXPECT_EQ(json.text(), c.json) << testing::PrintToString(c.input);
        JsonWriter asKey;
        asKey.beginObject().key(c.input).null().endObject();
        EXPECT_EQ(asKey.text(), "{" + std::string(c.json) + ":null}");
    }
}

TEST(CommandLine, KnownOptionsAndUnknownOnes) {
    std::string error;
    auto line = parseCommandLine({"--report", "--json"}, error);
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->report);
    EXPECT_TRUE(line->json);
    struct JobCase {
        std::vector<std::string> args;
        bool desktop;
        std::optional<std::string> snapshot;
    };
    const std::vector<JobCase> jobs{
        {{}, true, std::nullopt},
        {{"--mock", "warn"}, true, std::nullopt}, // a demonstration of the desktop program
        {{"--json"}, false, std::nullopt},
        {{"--disk"}, false, std::nullopt},
        {{"--snapshot", "/tmp/shots"}, false, "/tmp/shots"},
        {{"--snapshot", "--report"}, false, "--report"}, // the value is whatever follows
        {{"--snapshot"}, true, std::nullopt},            // without a folder it is ignored
    };
    for (const JobCase& c : jobs) {
        line = parseCommandLine(c.args, error);
        ASSERT_TRUE(line) << testing::PrintToString(c.args);
        EXPECT_EQ(line->desktop(), c.desktop) << testing::PrintToString(c.args);
        EXPECT_EQ(line->snapshot, c.snapshot) << testing::PrintToString(c.args);
    }
    EXPECT_FALSE(parseCommandLine({"--report", "--bogus"}, error));
    EXPECT_EQ(error, "unknown option: --bogus");
    EXPECT_FALSE(parseCommandLine({"report"}, error));

    struct MockCase {
        std::vector<std::string> args;
        std::optional<MockMode> mock;
        bool json;
    };
    const std::vector<MockCase> mocks{
        {{"--report", "--mock", "warn", "--json"}, MockMode::warn, true},
        {{"--mock", "bad"}, MockMode::bad, false},
        {{"--mock", "wran", "--json"}, std::nullopt, true}, // an unknown mode is a normal run
        {{"--mock", "--json"}, std::nullopt, false},        // the value is whatever follows
        {{"--report", "--mock"}, std::nullopt, false},
    };
    for (const MockCase& c : mocks) {
        line = parseCommandLine(c.args, error);
        ASSERT_TRUE(line) << testing::PrintToString(c.args);
        EXPECT_EQ(line->mock, c.mock) << testing::PrintToString(c.args);
        EXPECT_EQ(line->json, c.json) << testing::PrintToString(c.args);
    }
}

} // namespace
} // namespace corvane
