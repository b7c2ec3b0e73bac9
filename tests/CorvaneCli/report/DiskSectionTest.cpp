#include "cli/CommandLine.h"
#include "cli/report/DiskSection.h"
#include "cli/report/Report.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t MiB = 1ULL << 20;

DiskReport sampleDisk() {
    DiskReport report;
    report.freeBytes = 80 * 1024 * MiB;
    report.totalBytes = 250 * 1024 * MiB;
    report.scannedAt = dateFromUnixSeconds(1'800'000'000);
    report.scanSeconds = 1.25;
    DiskItem chrome{"chrome-cache", "Chrome 缓存", "Chrome 的磁盘缓存。（估算，约值）", 600 * MiB, DiskRisk::safe,
                    {"google-chrome"}, {"/home/u/.cache/google-chrome"}, std::nullopt, false};
    DiskItem worktree{"codex-worktree-a-b", "Codex 闲置工作区「b」", "git 工作区，当前不可清理：有未推送提交。", 300 * MiB,
                      DiskRisk::confirm, {"com.openai.codex"}, {"/home/u/.codex/worktrees/a/b"}, "有未推送提交", false};
    DiskItem trash{"trash", "废纸篓", "废纸篓里已有 200 MB，在文件管理器里清倒废纸篓才会真正释放。", 200 * MiB,
                   DiskRisk::confirm, {}, {}, std::nullopt, true};
    report.items = {chrome, worktree, trash};
    return report;
}

TEST(DiskSection, TextShowsEachItemsSizeMarkRiskAndState) {
    const std::string text = diskSectionText(sampleDisk());
    EXPECT_NE(text.find("磁盘：可用 80 GB / 共 250 GB"), std::string::npos) << text;
    EXPECT_NE(text.find("可清理：600 MB"), std::string::npos) << "only actionable items count";
    EXPECT_NE(text.find("扫描用时：1.2 秒"), std::string::npos);
    EXPECT_NE(text.find("· Chrome 缓存：600 MB（约值），安全，可清理"), std::string::npos);
    EXPECT_NE(text.find("· Codex 闲置工作区「b」：300 MB，需确认，暂不可清理：有未推送提交"), std::string::npos);
    EXPECT_NE(text.find("· 废纸篓：200 MB，需确认，仅供参考"), std::string::npos);
    EXPECT_NE(diskSectionText(DiskReport{}).find("没有发现可清理的内容"), std::string::npos);
}

TEST(DiskSection, JsonListsItemsWithFlags) {
    JsonWriter json;
    json.beginObject();
    writeDiskJson(json.key("disk"), sampleDisk());
    json.endObject();
    const std::string& text = json.text();
    EXPECT_EQ(text.rfind("{\"disk\":{\"freeBytes\":85899345920,\"totalBytes\":268435456000,\"reclaimableBytes\":629145600,"
                         "\"scannedAt\":\"2027-01-15T08:00:00Z\",\"scanSeconds\":1.25,\"items\":[",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("{\"id\":\"chrome-cache\",\"title\":\"Chrome 缓存\",\"detail\":\"Chrome 的磁盘缓存。（估算，约值）\","
                        "\"bytes\":629145600,\"approximate\":true,\"risk\":\"safe\",\"ownerBundleIDs\":[\"google-chrome\"],"
                        "\"paths\":[\"/home/u/.cache/google-chrome\"],\"blockedReason\":null,\"isInfoOnly\":false,"
                        "\"isActionable\":true}"),
              std::string::npos);
    EXPECT_NE(text.find("\"blockedReason\":\"有未推送提交\",\"isInfoOnly\":false,\"isActionable\":false}"), std::string::npos);
    EXPECT_NE(text.find("\"paths\":[],\"blockedReason\":null,\"isInfoOnly\":true,\"isActionable\":false}]}}"),
              std::string::npos);
}

TEST(DiskSection, ReportCarriesTheSectionOnlyWhenScanned) {
    ReportData data;
    EXPECT_EQ(reportText(data).find("磁盘清理"), std::string::npos);
    EXPECT_EQ(reportJson(data).find("\"disk\""), std::string::npos);
    data.disk = sampleDisk();
    EXPECT_NE(reportText(data).find("磁盘清理"), std::string::npos);
    const std::string json = reportJson(data);
    EXPECT_NE(json.find("},\"disk\":{\"freeBytes\""), std::string::npos) << json;
    EXPECT_EQ(json.substr(json.size() - 4), "]}}\n");

    std::string error;
    EXPECT_TRUE(parseCommandLine({"--report", "--disk", "--json"}, error)->disk);
    EXPECT_FALSE(parseCommandLine({"--report"}, error)->disk);
}

} // namespace
} // namespace corvane
