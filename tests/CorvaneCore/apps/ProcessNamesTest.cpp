#include "apps/ProcessNameCache.h"
#include "apps/ProcessScanner.h"
#include "support/FileRead.h"
#include "support/NamedProcess.h"
#include "support/TempDir.h"
#include "support/UniqueFd.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

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

/// The command name of a live process; empty once it is gone.
std::string commOf(pid_t pid) {
    std::string comm = readWholeFile("/proc/" + std::to_string(pid) + "/comm").value_or("");
    if (!comm.empty() && comm.back() == '\n') comm.pop_back();
    return comm;
}

// The live process table through one cache, as the AI polls use it: a process started after a
// scan, one that replaced its program (same process ID, new command name) and ones that ended are
// all seen as they are now at the next scan. The names checked are made up for this test, so other
// processes on the machine change nothing.
TEST(ProcessNameCacheLive, FollowsProcessesThatStartReplaceTheirProgramAndEnd) {
    test::TempDir dir;
    const std::string script = dir.write("corvane-test-tool.js", "");
    const std::string native = dir.makeDirectory("claude/versions") + "/9.8.7";
    std::filesystem::copy_file("/bin/sleep", native);
    std::filesystem::permissions(native, std::filesystem::perms::owner_all);
    const std::string gate = dir / "gate";
    ASSERT_EQ(::mkfifo(gate.c_str(), 0600), 0);

    ProcessNameCache cache;
    test::NamedProcess launcher("corvane-launch", "/bin/sh", {"-c", "read line < " + gate + "; exec " + native + " 60"});
    auto names = cache.runningNames();
    EXPECT_EQ(names.count("corvane-launch"), 1U);
    EXPECT_EQ(names.count("9.8.7"), 0U);
    {
        test::NamedProcess node("node", "/usr/bin/tail", {"-f", script});
        const UniqueFd open(::open(gate.c_str(), O_WRONLY | O_CLOEXEC));
        ASSERT_EQ(::write(open.get(), "go\n", 3), 3);
        for (int attempt = 0; attempt < 500 && commOf(launcher.pid()) != "9.8.7"; ++attempt) ::usleep(10'000);
        ASSERT_EQ(commOf(launcher.pid()), "9.8.7");

        names = cache.runningNames();
        EXPECT_EQ(names.count("corvane-test-tool"), 1U); // the interpreter's script
        EXPECT_EQ(names.count("9.8.7"), 1U);
        EXPECT_EQ(names.count("claude"), 1U); // from its executable's place only
        EXPECT_EQ(names.count("corvane-launch"), 0U);
    }
    launcher.stop();
    names = cache.runningNames();
    EXPECT_EQ(names.count("corvane-test-tool"), 0U);
    EXPECT_EQ(names.count("9.8.7"), 0U);
}

} // namespace
} // namespace corvane
