#include "app/linux/XdgAutostartEntry.h"
#include "prefs/LaunchAtLogin.h"
#include "support/RegularFile.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace corvane {
namespace {

std::size_t entriesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

// The toggle writes the entry (creating missing folders), reads it back as enabled, and removes
// it again; switching off twice is no failure.
TEST(XdgAutostartEntry, ToggleWritesReadsAndRemovesTheEntry) {
    const test::TempDir home;
    const std::string folder = home / "config/autostart";
    XdgAutostartEntry entry(folder, "/opt/Corvane Apps/corvane");
    EXPECT_FALSE(entry.isEnabled());

    EXPECT_EQ(toggleLaunchAtLogin(entry, true), (LaunchAtLoginState{true, std::nullopt}));
    const auto text = readRegularFile(folder + "/corvane.desktop", 4096);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, XdgAutostartEntry::entryText("/opt/Corvane Apps/corvane"));
    EXPECT_NE(text->find("\nExec=\"/opt/Corvane Apps/corvane\"\n"), std::string::npos);
    EXPECT_EQ(entriesIn(folder), 1u) << "no temporary file is left beside the entry";

    EXPECT_EQ(toggleLaunchAtLogin(entry, false), (LaunchAtLoginState{false, std::nullopt}));
    EXPECT_FALSE(std::filesystem::exists(folder + "/corvane.desktop"));
    EXPECT_EQ(toggleLaunchAtLogin(entry, false), (LaunchAtLoginState{false, std::nullopt}));
}

// Desktops switch an autostart entry off by marking it rather than deleting it.
TEST(XdgAutostartEntry, EntryMarkedOffByTheDesktopReadsAsOff) {
    const test::TempDir home;
    for (const char* mark : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
        home.write("autostart/corvane.desktop", "[Desktop Entry]\nType=Application\nExec=corvane\n" +
                                                   std::string(mark) + "\n");
        EXPECT_FALSE(XdgAutostartEntry(home / "autostart", "/usr/bin/corvane").isEnabled()) << mark;
    }
}

TEST(XdgAutostartEntry, ExecQuotesEveryReservedCharacter) {
    const struct {
        std::string path;
        std::string exec;
    } rows[] = {
        {"/usr/bin/corvane", "Exec=\"/usr/bin/corvane\""},
        {"/a b/$HOME/`x`", "Exec=\"/a b/\\\\$HOME/\\\\`x\\\\`\""},
        {"/q\"uote", "Exec=\"/q\\\\\"uote\""},
        {"/back\\slash", "Exec=\"/back\\\\\\\\slash\""},
        {"/100%/c", "Exec=\"/100%%/c\""},
    };
    for (const auto& row : rows) {
        EXPECT_NE(XdgAutostartEntry::entryText(row.path).find("\n" + row.exec + "\n"), std::string::npos) << row.path;
    }
}

// A folder the user cannot write, or a path the entry cannot name, leaves the toggle off with the
// failure text, and nothing behind.
TEST(XdgAutostartEntry, FailedWriteLeavesTheToggleOffWithTheFailureText) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    const test::TempDir home;
    const std::string folder = home.makeDirectory("autostart");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    XdgAutostartEntry locked(folder, "/usr/bin/corvane");
    EXPECT_EQ(toggleLaunchAtLogin(locked, true), (LaunchAtLoginState{false, launchAtLoginFailureText}));
    EXPECT_EQ(entriesIn(folder), 0u);
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);

    XdgAutostartEntry unnameable(folder, "/tmp/new\nline");
    EXPECT_EQ(toggleLaunchAtLogin(unnameable, true), (LaunchAtLoginState{false, launchAtLoginFailureText}));
    EXPECT_EQ(entriesIn(folder), 0u);
}

} // namespace
} // namespace corvane
