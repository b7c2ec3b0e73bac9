// Integration: runs the real executable over a temporary home and checks what reaches standard
// output and error: hostile cache names, strict JSON, and writes that fail.
#include "support/RawControl.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace corvane {
namespace {

constexpr std::uint64_t MiB = 1ULL << 20;

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

/// The shell command that runs corvane with `arguments` in a clean environment with `home`.
std::string corvane(const test::TempDir& home, const std::string& arguments) {
    return "env -i HOME=" + quoted(home.path()) + " PATH=/usr/bin:/bin timeout 60 " CORVANE_EXECUTABLE " " + arguments;
}

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr const char* fffd = "\xEF\xBF\xBD";

/// A home whose cache folder holds two large folders with hostile names: one only named in the
/// "other caches" item, one update leftover whose name becomes an item's id, title and path.
class HostileCacheNames : public ::testing::Test {
protected:
    void SetUp() override {
        home.allocate(".cache/" + other + "/blob", 50 * MiB);
        home.allocate(".cache/" + leftover + "/update.1/blob", 50 * MiB);
    }

    test::TempDir home;
    const std::string other = "evil\x1b]0;owned\x07\x1b[31m\xFF\xC2\x9b";
    const std::string leftover = "upd\x1b[2J\xFE.ShipIt";
};

TEST_F(HostileCacheNames, JsonIsStrictlyValidAndCarriesTheNamesRepaired) {
    const std::string out = home / "report.json";
    ASSERT_EQ(test::runShell(corvane(home, "--report --disk --json > " + quoted(out))).status, 0);
    const auto parsed =
        test::runShell("/usr/bin/python3 -c 'import json,sys; "
                       "json.loads(open(sys.argv[1], \"rb\").read().decode(\"utf-8\")); print(\"ok\")' " +
                       quoted(out));
    const std::string json = contents(out);
    EXPECT_EQ(parsed.out, "ok\n") << json;
    EXPECT_EQ(test::firstRawControl(json), std::string::npos) << json;
    const std::string otherJson = std::string("evil\\u001b]0;owned\\u0007\\u001b[31m") + fffd + "\\u009b";
    const std::string leftoverJson = std::string("upd\\u001b[2J") + fffd + ".ShipIt";
    EXPECT_NE(json.find("（较大：" + otherJson + "）"), std::string::npos) << json;
    EXPECT_NE(json.find("\"id\":\"shipit-" + leftoverJson + "\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"paths\":[\"" + home.path() + "/.cache/" + leftoverJson + "/update.1\"]"), std::string::npos)
        << json;
}

TEST_F(HostileCacheNames, TextShowsTheNamesEscaped) {
    const test::ShellResult result = test::runShell(corvane(home, "--report --disk"));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(test::firstRawControl(result.out), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(std::string(R"(（较大：evil\x1b]0;owned\x07\x1b[31m)") + fffd + R"(\x9b）)"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find(std::string(R"(· upd\x1b[2J)") + fffd + " 更新残留："), std::string::npos) << result.out;
}

TEST(DemonstrationReport, ShowsTheCannedSituationAndLeavesTheHomeAlone) {
    test::TempDir home;
    const test::ShellResult warn = test::runShell(corvane(home, "--report --disk --mock warn"));
    ASSERT_EQ(warn.status, 0) << warn.out;
    EXPECT_NE(warn.out.find("内存偏紧，建议关掉暂时不用的软件"), std::string::npos) << warn.out;
    EXPECT_NE(warn.out.find("微信"), std::string::npos) << warn.out;
    EXPECT_NE(warn.out.find("Chrome 缓存"), std::string::npos) << warn.out;
    EXPECT_NE(warn.out.find("corvane · 等你回复"), std::string::npos) << warn.out;
    const test::ShellResult unknown = test::runShell(corvane(home, "--report --mock worse"));
    ASSERT_EQ(unknown.status, 0) << unknown.out;
    EXPECT_EQ(unknown.out.find("微信"), std::string::npos) << unknown.out; // the machine's own report
    EXPECT_EQ(test::runShell("find " + quoted(home.path()) + " -mindepth 1").out, "");
}

struct FailedWrite {
    const char* name;
    const char* arguments;
    const char* redirection;
    const char* reason;
};

void PrintTo(const FailedWrite& c, std::ostream* out) {
    *out << c.name;
}

class WriteFailure : public ::testing::TestWithParam<FailedWrite> {};

// Standard error goes to the test's pipe before standard output is redirected.
TEST_P(WriteFailure, EndsWithStatusOneAndOneLineOnStandardError) {
    test::TempDir home;
    const FailedWrite& c = GetParam();
    const test::ShellResult result = test::runShell(corvane(home, std::string(c.arguments) + " 2>&1 " + c.redirection));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, std::string("corvane: 无法写入标准输出（") + c.reason + "）\n");
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, WriteFailure,
    ::testing::Values(FailedWrite{"TextToFullDisk", "--report", ">/dev/full", "No space left on device"},
                      FailedWrite{"JsonToFullDisk", "--report --json", ">/dev/full", "No space left on device"},
                      FailedWrite{"WatchToFullDisk", "--report --watch", ">/dev/full", "No space left on device"},
                      FailedWrite{"WatchJsonToFullDisk", "--report --watch --json", ">/dev/full",
                                  "No space left on device"},
                      FailedWrite{"HelpToFullDisk", "--help", ">/dev/full", "No space left on device"},
                      FailedWrite{"TextToClosedOutput", "--report", ">&-", "Bad file descriptor"},
                      FailedWrite{"JsonToClosedOutput", "--report --json", ">&-", "Bad file descriptor"},
                      FailedWrite{"WatchToClosedOutput", "--report --watch", ">&-", "Bad file descriptor"}),
    [](const ::testing::TestParamInfo<FailedWrite>& info) { return info.param.name; });

} // namespace
} // namespace corvane
