#include "cli/report/AppsSection.h"
#include "cli/report/Report.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

AppsReport sampleApps() {
    AppGroup editor;
    editor.id = "org.example.Editor";
    editor.name = "编辑器";
    editor.bundleID = "org.example.Editor";
    editor.pids = {10, 11};
    editor.footprintBytes = 3ULL << 30;
    editor.isRegularApp = true;
    editor.hasVisibleWindow = true;
    editor.idleSeconds = 7500;
    editor.safety = SafetyVerdict::caution("占用很大但用途不明，退出前请确认里面没有未完成的工作");
    AppGroup daemon;
    daemon.id = "daemon";
    daemon.name = "daemon";
    daemon.pids = {3};
    daemon.footprintBytes = 5ULL << 20;
    daemon.safety = SafetyVerdict::locked("后台或系统进程，只展示，不可操作");
    return AppsReport{{editor, daemon}, true};
}

TEST(AppsSection, JsonListsEachGroupWithIdentityFlagsAndVerdict) {
    JsonWriter json;
    json.beginObject();
    writeAppsJson(json, sampleApps());
    json.endObject();
    EXPECT_EQ(json.text(),
              "{\"apps\":{\"windowSystem\":true,\"groups\":["
              "{\"id\":\"org.example.Editor\",\"name\":\"编辑器\",\"identity\":\"org.example.Editor\",\"pids\":[10,11],"
              "\"footprintBytes\":3221225472,\"idleSeconds\":7500,\"isRegularApp\":true,\"hasVisibleWindow\":true,"
              "\"safety\":{\"kind\":\"caution\",\"reason\":\"占用很大但用途不明，退出前请确认里面没有未完成的工作\"}},"
              "{\"id\":\"daemon\",\"name\":\"daemon\",\"identity\":null,\"pids\":[3],\"footprintBytes\":5242880,"
              "\"idleSeconds\":null,\"isRegularApp\":false,\"hasVisibleWindow\":false,"
              "\"safety\":{\"kind\":\"protected\",\"reason\":\"后台或系统进程，只展示，不可操作\"}}]}}");
}

TEST(AppsSection, TextShowsNameIdentitySizeIdleAndVerdict) {
    std::string text;
    appendAppsText(text, sampleApps());
    EXPECT_NE(text.find("应用（占用内存最多的 2 个）"), std::string::npos) << text;
    EXPECT_NE(text.find("编辑器（org.example.Editor）  3.0 GB  闲置：2 小时 5 分钟  窗口：可见  注意：占用很大"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("daemon  5 MB  闲置：未知  后台  锁定：后台或系统进程"), std::string::npos) << text;
    EXPECT_EQ(text.find("没有连接到窗口系统"), std::string::npos);

    AppsReport headless = sampleApps();
    headless.windowSystemAvailable = false;
    std::string withoutX;
    appendAppsText(withoutX, headless);
    EXPECT_NE(withoutX.find("没有连接到窗口系统"), std::string::npos);
}

TEST(AppsSection, IdleWordsAtTheirBoundaries) {
    EXPECT_EQ(idleWords(std::nullopt), "未知");
    EXPECT_EQ(idleWords(0.0), "正在使用");
    EXPECT_EQ(idleWords(59.9), "不到 1 分钟");
    EXPECT_EQ(idleWords(60), "1 分钟");
    EXPECT_EQ(idleWords(3599), "59 分钟");
    EXPECT_EQ(idleWords(3600), "1 小时");
    EXPECT_EQ(idleWords(3 * 3600 + 61), "3 小时 1 分钟");
}

TEST(AppsSection, ReportCarriesTheSectionOnlyWhenPresent) {
    ReportData data;
    EXPECT_EQ(reportJson(data).find("\"apps\""), std::string::npos);
    EXPECT_EQ(reportText(data).find("应用（"), std::string::npos);
    data.apps = sampleApps();
    const std::string json = reportJson(data);
    EXPECT_NE(json.find(",\"apps\":{\"windowSystem\":true"), std::string::npos) << json;
    EXPECT_EQ(json.substr(json.size() - 7), "\"}}]}}\n") << "the section closes the report object";
    EXPECT_NE(reportText(data).find("应用（占用内存最多的 2 个）"), std::string::npos);
}

} // namespace
} // namespace corvane
