#include "AIWatcherConfig.h"
#include "ProcessScanner.h"
#include "support/HomeDirectory.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

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

TEST(ProcessNames, NodeScriptThroughSymlinkCountsAsClaude) {
    const auto names = ProcessScanner::namesOf("node", {"node", "/usr/local/bin/claude", "--resume"}, "/usr/bin/node");
    EXPECT_NE(std::find(names.begin(), names.end(), "claude"), names.end());
}

TEST(ProcessNames, InterpreterScriptLosesScriptSuffix) {
    const auto names = ProcessScanner::namesOf("node", {"/usr/bin/node", "--max-old-space-size=4096",
                                                        "/opt/codex/bin/codex.js"},
                                               "/usr/bin/node");
    EXPECT_NE(std::find(names.begin(), names.end(), "codex"), names.end());
    const auto mjs = ProcessScanner::namesOf("bun", {"bun", "cli.mjs"}, "/usr/bin/bun");
    EXPECT_NE(std::find(mjs.begin(), mjs.end(), "cli"), mjs.end());
}

TEST(ProcessNames, VersionedNativeInstallCountsAsClaude) {
    const auto names =
        ProcessScanner::namesOf("2.1.3", {"/home/u/.local/share/claude/versions/2.1.3"},
                                "/home/u/.local/share/claude/versions/2.1.3");
    EXPECT_NE(std::find(names.begin(), names.end(), "claude"), names.end());
}

TEST(ProcessNames, PackageEntryScriptRunDirectlyCountsAsClaude) {
    const auto names = ProcessScanner::namesOf(
        "node", {"node", "/usr/lib/node_modules/@anthropic-ai/claude-code/cli.js"}, "/usr/bin/node");
    EXPECT_NE(std::find(names.begin(), names.end(), "claude"), names.end());
    // Only for an interpreter running it.
    const auto cat = ProcessScanner::namesOf("cat", {"cat", "/usr/lib/node_modules/@anthropic-ai/claude-code/cli.js"},
                                             "/usr/bin/cat");
    EXPECT_EQ(std::find(cat.begin(), cat.end(), "claude"), cat.end());
}

TEST(ProcessNames, PlainProgramsKeepTheirOwnNamesOnly) {
    const auto names = ProcessScanner::namesOf("bash", {"-bash"}, "/usr/bin/bash");
    EXPECT_EQ(names, (std::vector<std::string>{"bash", "-bash"}));
    // A non-interpreter's first argument is not a script name.
    const auto vim = ProcessScanner::namesOf("vim", {"vim", "claude.js"}, "/usr/bin/vim");
    EXPECT_EQ(std::find(vim.begin(), vim.end(), "claude"), vim.end());
    // "Claude" (desktop) and "claude" (command line) stay distinct.
    const auto desktop = ProcessScanner::namesOf("Claude", {"/opt/Claude/Claude"}, "/opt/Claude/Claude");
    EXPECT_EQ(std::find(desktop.begin(), desktop.end(), "claude"), desktop.end());
}

// Integration: the live process table contains this test itself.
TEST(ProcessScannerLive, SeesOwnProcess) {
    const auto names = ProcessScanner::runningProcessNames();
    EXPECT_TRUE(names.count("CorvaneAITests") > 0 || names.count("CorvaneAITest") > 0) << names.size();
}

} // namespace
} // namespace corvane
