#include "app/linux/SystemMonitorCommand.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>

namespace corvane {
namespace {

TEST(SystemMonitorCommand, DesktopMonitorFirstThenATerminalWithHtopOrTop) {
    const struct {
        std::set<std::string_view> installed;
        std::vector<std::string> command;
    } rows[] = {
        {{"ksysguard", "mate-system-monitor", "htop", "xterm"}, {"ksysguard"}},
        {{"gnome-system-monitor", "plasma-systemmonitor"}, {"gnome-system-monitor"}},
        {{"mate-system-monitor"}, {"mate-system-monitor"}},
        {{"x-terminal-emulator", "xterm", "htop"}, {"x-terminal-emulator", "-e", "htop"}},
        {{"xterm"}, {"xterm", "-e", "top"}},
        {{"htop"}, {}},
        {{}, {}},
    };
    for (const auto& row : rows) {
        const auto installed = [&row](std::string_view name) { return row.installed.count(name) != 0; };
        EXPECT_EQ(systemMonitorCommand(installed), row.command) << row.installed.size() << " installed";
    }
}

// Only executable files on the search path count; a folder or a plain file of that name does not.
TEST(SystemMonitorCommand, SearchPathFindsOnlyExecutableFiles) {
    const test::TempDir dir;
    const std::string tool = dir.write("bin/htop", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(tool.c_str(), 0755), 0);
    dir.write("bin/top", "not executable\n");
    dir.makeDirectory("other/xterm");
    const test::ScopedEnvironment path("PATH", dir / "other" + ":" + dir / "bin");
    EXPECT_TRUE(isOnSearchPath("htop"));
    EXPECT_FALSE(isOnSearchPath("top"));
    EXPECT_FALSE(isOnSearchPath("xterm"));
    EXPECT_FALSE(isOnSearchPath("bin/htop")) << "a name, never a path";
}

} // namespace
} // namespace corvane
