#include "apps/ProcessScanner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

/// The names a process answers to: its command, its program's file name, and for an interpreter
/// the script it runs (without its suffix, or the package's command for a package entry script).
TEST(ProcessNames, InterpretersAnswerForTheirScriptOthersOnlyForThemselves) {
    const struct {
        const char* comm;
        std::vector<std::string> arguments;
        const char* executable;
        const char* name;
        bool answers;
    } table[] = {
        {"node", {"node", "/usr/local/bin/claude", "--resume"}, "/usr/bin/node", "claude", true}, // through a link
        {"node", {"/usr/bin/node", "--max-old-space-size=4096", "/opt/codex/bin/codex.js"}, "/usr/bin/node", "codex",
         true},
        {"bun", {"bun", "cli.mjs"}, "/usr/bin/bun", "cli", true},
        {"2.1.3", {"/home/u/.local/share/claude/versions/2.1.3"}, "/home/u/.local/share/claude/versions/2.1.3",
         "claude", true}, // a versioned native install
        {"node", {"node", "/usr/lib/node_modules/@anthropic-ai/claude-code/cli.js"}, "/usr/bin/node", "claude", true},
        {"cat", {"cat", "/usr/lib/node_modules/@anthropic-ai/claude-code/cli.js"}, "/usr/bin/cat", "claude", false},
        {"vim", {"vim", "claude.js"}, "/usr/bin/vim", "claude", false},
        {"Claude", {"/opt/Claude/Claude"}, "/opt/Claude/Claude", "claude", false}, // the desktop app is another tool
    };
    for (const auto& row : table) {
        const auto names = ProcessScanner::namesOf(row.comm, row.arguments, row.executable);
        EXPECT_EQ(std::find(names.begin(), names.end(), row.name) != names.end(), row.answers)
            << row.comm << " " << testing::PrintToString(row.arguments);
    }
    EXPECT_EQ(ProcessScanner::namesOf("bash", {"-bash"}, "/usr/bin/bash"), (std::vector<std::string>{"bash", "-bash"}));
}

// Integration: the live process table contains this test itself.
TEST(ProcessScannerLive, SeesOwnProcess) {
    const auto names = ProcessScanner::runningProcessNames();
    EXPECT_TRUE(names.count("CorvaneCoreTests") > 0 || names.count("CorvaneCoreTest") > 0) << names.size();
}

} // namespace
} // namespace corvane
