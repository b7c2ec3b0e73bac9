#include "AIWatcherConfig.h"
#include "support/HomeDirectory.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace corvane {
namespace {

TEST(AIWatcherConfig, DefaultsFollowHome) {
    const AIWatcherConfig config = [] {
        const test::ScopedEnvironment home("HOME", "/home/tester");
        return AIWatcherConfig();
    }();
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

TEST(AIWatcherConfig, RelativeHomeMeansTheSameHomeAsEverywhere) {
    const test::ScopedEnvironment home("HOME", "relative/home");
    EXPECT_EQ(AIWatcherConfig().claudeProjectsDir, homeDirectory() + "/.claude/projects");
    EXPECT_EQ(homeDirectory().front(), '/');
}

} // namespace
} // namespace corvane
