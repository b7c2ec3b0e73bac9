// Integration: launches real desktop entries through GIO from a temporary XDG data folder. Each
// opening runs in a probe process of its own, because GLib reads the folders once per process.
#include "support/FileRead.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace corvane {
namespace {

using test::TempDir;

class SystemAppOpenerLive : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string script =
            home.write("record.sh", "#!/bin/sh\nprintf '%s' \"launched:$*\" > \"" + (home / "out.txt") + "\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        for (const char* id : {"claude-desktop", "my-tool"}) {
            home.write(std::string("applications/") + id + ".desktop",
                       "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + script + " %u\n");
        }
    }

    /// The probe's exit status: 0 when the opener reported success, 1 when it reported failure.
    int probe(const std::string& arguments) const {
        return test::runShell("HOME='" + home.path() + "' XDG_DATA_HOME='" + home.path() + "' XDG_DATA_DIRS='" +
                              (home / "none") + "' '" CORVANE_APP_OPENER_PROBE "' " + arguments)
            .status;
    }

    /// What the launched recorder wrote, once it has written it.
    std::optional<std::string> launched() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (auto text = readWholeFile(home / "out.txt"); text && !text->empty()) return text;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

    TempDir home;
};

TEST_F(SystemAppOpenerLive, OpensTheLinkWithTheHostsApplication) {
    EXPECT_EQ(probe("open claude://claude.ai/claude-code-desktop/local_1 com.anthropic.claudefordesktop"), 0);
    EXPECT_EQ(launched(), "launched:claude://claude.ai/claude-code-desktop/local_1");
}

TEST_F(SystemAppOpenerLive, ActivateLaunchesWithoutALink) {
    EXPECT_EQ(probe("activate com.anthropic.claudefordesktop"), 0);
    EXPECT_EQ(launched(), "launched:");
}

TEST_F(SystemAppOpenerLive, AnIdentifierOutsideTheHostTableIsItsOwnDesktopID) {
    EXPECT_EQ(probe("activate my-tool"), 0);
    EXPECT_EQ(launched(), "launched:");
}

TEST_F(SystemAppOpenerLive, MissingApplicationFails) {
    // Codex's sessions run in terminals, but neither a link nor an activation goes to a terminal.
    home.write("applications/xterm.desktop",
               "[Desktop Entry]\nType=Application\nName=XTerm\nExec=" + (home / "record.sh") + " %u\n");
    EXPECT_EQ(probe("open codex://threads/x com.openai.codex"), 1);
    EXPECT_EQ(probe("activate com.openai.codex"), 1);
    EXPECT_EQ(probe("activate org.example.Unknown"), 1);
}

} // namespace
} // namespace corvane
