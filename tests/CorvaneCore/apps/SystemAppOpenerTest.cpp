// Integration: launches real desktop entries through GIO from a temporary XDG data folder.
#include "apps/SystemAppOpener.h"

#include "support/FileRead.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace corvane {
namespace {

using test::TempDir;

std::optional<std::string> waitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (auto text = readWholeFile(path); text && !text->empty()) return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

class SystemAppOpenerLive : public ::testing::Test {
protected:
    void SetUp() override {
        // GLib reads the data folders once per process; every test runs in a process of its own.
        ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (home / "none").c_str(), 1);
        const std::string script = home.write("record.sh", "#!/bin/sh\nprintf '%s' \"launched:$*\" > \"" +
                                                               (home / "out.txt") + "\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        home.write("applications/claude-desktop.desktop",
                   "[Desktop Entry]\nType=Application\nName=Claude\nExec=" + script + " %u\n");
    }
    TempDir home;
};

TEST_F(SystemAppOpenerLive, OpensTheLinkWithTheMappedApplication) {
    bool reported = false;
    makeSystemAppOpener()->open("claude://claude.ai/claude-code-desktop/local_1", "com.anthropic.claudefordesktop",
                                [&](bool success) { reported = success; });
    EXPECT_TRUE(reported);
    EXPECT_EQ(waitForFile(home / "out.txt"), "launched:claude://claude.ai/claude-code-desktop/local_1");
}

TEST_F(SystemAppOpenerLive, ActivateLaunchesWithoutALink) {
    bool reported = false;
    makeSystemAppOpener()->perform(JumpAction{JumpAction::Activate{"com.anthropic.claudefordesktop"}},
                                   [&](bool success) { reported = success; });
    EXPECT_TRUE(reported);
    EXPECT_EQ(waitForFile(home / "out.txt"), "launched:");
}

TEST_F(SystemAppOpenerLive, MissingApplicationFails) {
    std::optional<bool> reported;
    makeSystemAppOpener()->open("codex://x", "com.openai.codex", [&](bool success) { reported = success; });
    EXPECT_EQ(reported, false);
    makeSystemAppOpener()->activate("org.example.Unknown", [&](bool success) { reported = success; });
    EXPECT_EQ(reported, false);
}

TEST(DesktopIDs, HostIdentifiersMapToDesktopIDs) {
    EXPECT_EQ(desktopIDsFor("com.openai.codex").front(), "codex");
    EXPECT_EQ(desktopIDsFor("org.gnome.SystemMonitor"), (std::vector<std::string>{"org.gnome.SystemMonitor"}));
}

} // namespace
} // namespace corvane
