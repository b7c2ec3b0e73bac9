#include "apps/ProcessScanner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

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
    EXPECT_TRUE(names.count("CorvaneCoreTests") > 0 || names.count("CorvaneCoreTest") > 0) << names.size();
}

} // namespace
} // namespace corvane
