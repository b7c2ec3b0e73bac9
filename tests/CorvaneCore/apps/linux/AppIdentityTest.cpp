#include "apps/linux/AppIdentity.h"
#include "apps/linux/DesktopEntry.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

/// The application of a process's systemd line: an app-<launcher>-<id>-<random>.scope or
/// app-<launcher>-<id>@<random>.service below app.slice, the launcher and random parts optional.
TEST(AppIdentity, ApplicationUnitsNameTheirApplicationOthersNone) {
    const std::string app = "0::/user.slice/user@1000.service/app.slice/";
    const std::pair<std::string, std::optional<std::string>> table[] = {
        {"0::/user.slice/user-1000.slice/user@1000.service/app.slice/app-gnome-firefox\\x2desr-12345.scope\n",
         "firefox-esr"},
        {app + "app-org.kde.konsole-4567.scope", "org.kde.konsole"},
        {app + "app-gnome-org.gnome.Terminal@2.service", "org.gnome.Terminal"},
        {"0::/app.slice/app-org.gnome.SettingsDaemon.Power@autostart.service", "org.gnome.SettingsDaemon.Power"},
        // A hybrid hierarchy: the named systemd line counts.
        {"12:memory:/user.slice\n1:name=systemd:/user.slice/user@1000.service/app.slice/"
         "app-kde-org.kde.dolphin-99.scope\n0::/user.slice\n",
         "org.kde.dolphin"},
        {"0::/user.slice/user-1000.slice/session-2.scope", std::nullopt},
        {app + "app-dbus\\x2d:1.2\\x2dorg.a.slice", std::nullopt},
        {app + "app.scope", std::nullopt},
        {"0::/system.slice/docker-abc.scope", std::nullopt},
        {"garbage", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [cgroup, id] : table) {
        const auto unit = parseAppUnit(cgroup);
        EXPECT_EQ(unit ? std::optional(unit->applicationID) : std::nullopt, id) << cgroup;
    }
    EXPECT_EQ(parseAppUnit(table[0].first)->unit, "app-gnome-firefox\\x2desr-12345.scope");
}

TEST(AppIdentity, UnescapeLeavesBrokenEscapesAlone) {
    EXPECT_EQ(unescapeUnitName("a\\x2db\\x2Dc"), "a-b-c");
    EXPECT_EQ(unescapeUnitName("a\\xZZ\\x2"), "a\\xZZ\\x2");
}

/// A /proc tree with the cgroup and stat files of a few processes.
struct FakeProc {
    test::TempDir dir;
    void process(int pid, int parent, const std::string& cgroupPath) const {
        dir.write(std::to_string(pid) + "/cgroup", "0::" + cgroupPath + "\n");
        dir.write(std::to_string(pid) + "/stat",
                  std::to_string(pid) + " (p) S " + std::to_string(parent) + " 1 1 0 -1 0\n");
    }
};

TEST(AppIdentity, OnlyTheHeadOfAnApplicationUnitTakesItsIdentity) {
    FakeProc proc;
    const std::string scope = "/user.slice/user@1000.service/app.slice/app-gnome-org.gnome.Terminal-7.scope";
    proc.process(10, 1, "/user.slice/user@1000.service/init.scope");
    proc.process(20, 10, scope); // gnome-terminal-server
    proc.process(30, 20, scope); // a shell inside it
    proc.process(40, 30, scope); // an X program started from the shell
    EXPECT_EQ(processIdentity(20, std::nullopt, proc.dir.path()), "org.gnome.Terminal");
    EXPECT_EQ(processIdentity(30, std::nullopt, proc.dir.path()), std::nullopt);
    EXPECT_EQ(processIdentity(40, "XTerm", proc.dir.path()), "XTerm");
    EXPECT_EQ(processIdentity(50, "Gone", proc.dir.path()), "Gone") << "unreadable process falls back to its window";
    EXPECT_EQ(processIdentity(50, std::string(), proc.dir.path()), std::nullopt);
}

TEST(DesktopEntry, ChineseNameFirstWithinTheMainGroupOnly) {
    EXPECT_EQ(desktopEntryName("[Desktop Entry]\nName=Files\nName[zh]=文件 \nName[zh_CN]=文件管理\n"), "文件管理");
    EXPECT_EQ(desktopEntryName("[Desktop Entry]\nName=Files\nName[zh]=文件\n"), "文件");
    EXPECT_EQ(desktopEntryName("[Desktop Action new]\nName[zh_CN]=新窗口\n[Desktop Entry]\n# c\nName = Files\r\n"),
              "Files");
    EXPECT_EQ(desktopEntryName("[Desktop Entry]\nName[zh_CN]=\nName=Files\n"), "Files");
    EXPECT_EQ(desktopEntryName("[Other]\nName=x\n"), std::nullopt);
}

TEST(DesktopEntry, LookupTriesDirectoriesInOrderThenLowerCaseAndCaches) {
    test::TempDir home, system;
    home.write("org.example.Editor.desktop", "[Desktop Entry]\nName=Mine\n");
    system.write("org.example.Editor.desktop", "[Desktop Entry]\nName=System\n");
    system.write("xterm.desktop", "[Desktop Entry]\nName=XTerm\nName[zh_CN]=终端\n");
    DesktopNameCache cache({home.path(), system.path()});
    EXPECT_EQ(cache.displayName("org.example.Editor"), "Mine");
    EXPECT_EQ(cache.displayName("XTerm"), "终端");
    EXPECT_EQ(cache.displayName("../etc/passwd"), std::nullopt);
    EXPECT_EQ(cache.displayName("missing"), std::nullopt);
    home.write("missing.desktop", "[Desktop Entry]\nName=Late\n");
    EXPECT_EQ(cache.displayName("missing"), std::nullopt) << "looked up once for the cache's life";
}

} // namespace
} // namespace corvane
