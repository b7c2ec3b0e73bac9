#include "AIWatcherConfig.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace corvane {
namespace {

TEST(AIWatcherConfig, DefaultsFollowHome) {
    const char* old = std::getenv("HOME");
    const std::string saved = old != nullptr ? old : "";
    ::setenv("HOME", "/home/tester", 1);
    const AIWatcherConfig config;
    ::setenv("HOME", saved.c_str(), 1);
    EXPECT_EQ(config.claudeProjectsDir, "/home/tester/.claude/projects");
    EXPECT_EQ(config.codexSessionsDir, "/home/tester/.codex/sessions");
    EXPECT_EQ(config.claudeDesktopSessionsDir,
              "/home/tester/Library/Application Support/Claude/local-agent-mode-sessions");
    EXPECT_DOUBLE_EQ(config.readTimeout, 0.5);
    EXPECT_DOUBLE_EQ(config.recentWindow, 1800);
    EXPECT_EQ(config.maxFilesPerTool, 12);
    EXPECT_DOUBLE_EQ(config.waitingDebounce, 15);
    EXPECT_DOUBLE_EQ(config.confirmAfter, 60);
    EXPECT_DOUBLE_EQ(config.workingStaleAfter, 300);
    EXPECT_FALSE(config.fileAccessProbe);
    ASSERT_TRUE(config.now);
    ASSERT_TRUE(config.processNames);
}

} // namespace
} // namespace corvane
