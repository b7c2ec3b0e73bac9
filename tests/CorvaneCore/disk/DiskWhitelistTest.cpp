#include "disk/DiskWhitelist.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

using test::TempDir;
using Components = std::vector<std::string>;

TEST(DiskWhitelist, SplitStandardizeAndRelative) {
    EXPECT_EQ(DiskWhitelist::split("//a/b//c/"), (Components{"a", "b", "c"}));
    EXPECT_TRUE(DiskWhitelist::split("/").empty());

    EXPECT_EQ(DiskWhitelist::standardized("/a/./b/../c/"), "/a/c");
    EXPECT_EQ(DiskWhitelist::standardized("/../.."), "/");
    EXPECT_EQ(DiskWhitelist::standardized("/u/Library/Caches/Google/../../Documents"), "/u/Library/Documents");

    EXPECT_EQ(DiskWhitelist::relative("/home/u/.npm/_cacache", "/home/u"), (Components{".npm", "_cacache"}));
    EXPECT_EQ(DiskWhitelist::relative("/home/u/x", "/home/u/"), (Components{"x"}));
    EXPECT_FALSE(DiskWhitelist::relative("/home/u", "/home/u").has_value()) << "the home itself";
    EXPECT_FALSE(DiskWhitelist::relative("/home/user2/x", "/home/u").has_value());
    EXPECT_FALSE(DiskWhitelist::relative("home/u/x", "home/u").has_value()) << "not absolute";
    EXPECT_FALSE(DiskWhitelist::relative("/etc", "/home/u").has_value());
}

TEST(DiskWhitelist, RootsAreExactlyTheCleanableCataloguePlaces) {
    Components mac{"Library/Caches/com.openai.codex",
                         "Library/Caches/com.openai.atlas",
                         "Library/Application Support/Claude/Cache",
                         "Library/Application Support/Claude/Code Cache",
                         "Library/Application Support/Claude/GPUCache",
                         "Library/Logs/Claude",
                         "Library/Application Support/Claude/vm_bundles/claudevm.bundle/rootfs.img.zst",
                         "Library/Developer/Xcode/DerivedData",
                         "Library/Caches/ms-playwright",
                         "Library/Caches/Google",
                         "Library/Caches/com.spotify.client",
                         "Library/Caches/claude-cli-nodejs",
                         "Library/Caches/Dia",
                         ".npm/_cacache"};
    Components roots = macLayout().insideRoots;
    std::sort(roots.begin(), roots.end());
    std::sort(mac.begin(), mac.end());
    EXPECT_EQ(roots, mac);
    EXPECT_EQ(linuxLayout().insideRoots, (Components{".cache/ms-playwright", ".cache/google-chrome", ".cache/chromium",
                                                     ".cache/spotify", ".npm/_cacache", ".cache/claude-cli-nodejs"}));
    EXPECT_EQ(macLayout().cataloguedCacheNames, (Components{"com.openai.codex", "com.openai.atlas", "ms-playwright",
                                                            "Google", "com.spotify.client", "claude-cli-nodejs", "Dia"}));
}

struct MatchCase {
    const char* rel;
    bool mac;
    bool linux;
};

TEST(DiskWhitelist, MatchesAllowedPlacesOfEachLayout) {
    const MatchCase cases[] = {
        {"Library/Caches/Google", true, false},
        {"Library/Caches/Google/Chrome/Default", true, false},
        {"Library/Caches", false, false},
        {"Library/Caches/Googlebot", false, false},
        {".cache/google-chrome/Default", false, true},
        {".npm/_cacache", true, true},
        {".npm", false, false},
        {".Trash", false, false},
        {".local/share/Trash", false, false},
        {".codex/sessions", false, false},
        {"Library/Application Support/Claude/vm_bundles/claudevm.bundle/rootfs.img", false, false},
        {".codex/worktrees", false, false},
        {".codex/worktrees/a", true, true},
        {".codex/worktrees/a/b", true, true},
        {".codex/worktrees/a/b/c", false, false},
        {".codex/generated_images/x", true, true},
        {".codex/generated_images/x/y/z", true, true},
        {".codex/generated_images", false, false},
        {"Library/Caches/com.x.ShipIt/update.abc", true, false},
        {"Library/Caches/com.x.ShipIt/update.abc/file", true, false},
        {"Library/Caches/com.x.ShipIt/ShipItState.plist", false, false},
        {".cache/com.x.ShipIt/update.abc", false, true},
        {"Library/Caches/Google/../../Documents", false, false},
        {"Library/Caches/Google/./x", false, false},
    };
    for (const MatchCase& c : cases) {
        const Components rel = DiskWhitelist::split(c.rel);
        EXPECT_EQ(DiskWhitelist::matches(rel, macLayout()), c.mac) << c.rel;
        EXPECT_EQ(DiskWhitelist::matches(rel, linuxLayout()), c.linux) << c.rel;
    }
}

TEST(DiskWhitelist, RealPathResolvesLinksOverTheExistingPrefix) {
    TempDir dir;
    dir.makeDirectory("real/inside");
    dir.symlink(dir / "real", "link");
    const std::string base = *DiskWhitelist::realPath(dir.path());
    EXPECT_EQ(DiskWhitelist::realPath(dir / "link/inside"), base + "/real/inside");
    EXPECT_EQ(DiskWhitelist::realPath(dir / "link/missing/deeper"), base + "/real/missing/deeper");
    EXPECT_EQ(DiskWhitelist::realPath(dir / "link/./inside/../x/"), base + "/real/x");

    // A link that leads nowhere cannot be resolved: its text must not pass for a plain folder.
    dir.symlink(dir / "gone", "dangling");
    EXPECT_FALSE(DiskWhitelist::realPath(dir / "dangling").has_value());
    EXPECT_FALSE(DiskWhitelist::realPath(dir / "dangling/child").has_value());
    dir.symlink("loop", "loop");
    EXPECT_FALSE(DiskWhitelist::realPath(dir / "loop/x").has_value());
}

TEST(DiskWhitelist, PlainPathsHaveNoLinkBetweenHomeAndTarget) {
    TempDir dir;
    const std::string home = dir.makeDirectory("home");
    dir.makeDirectory("home/Library/Caches/Google");
    dir.makeDirectory("elsewhere/Caches");
    dir.symlink(dir / "elsewhere", "home/Linked");
    dir.symlink(dir / "home/Library/Caches/Google", "home/Library/Caches/Alias");
    EXPECT_TRUE(DiskWhitelist::isPlain(home + "/Library/Caches/Google", home));
    EXPECT_TRUE(DiskWhitelist::isPlain(home + "/Library/Caches/not-yet", home)) << "missing tail is plain text";
    EXPECT_FALSE(DiskWhitelist::isPlain(home + "/Linked/Caches", home));
    EXPECT_FALSE(DiskWhitelist::isPlain(home + "/Library/Caches/Alias", home)) << "a final link";
    EXPECT_FALSE(DiskWhitelist::isPlain(home, home));
    EXPECT_FALSE(DiskWhitelist::isPlain(dir / "elsewhere", home));

    // A home reached through a link is still plain below it.
    dir.symlink(home, "home-link");
    EXPECT_TRUE(DiskWhitelist::isPlain(dir / "home-link/Library/Caches/Google", dir / "home-link"));
}

TEST(DiskWhitelist, CleaningRefusesEveryEscape) {
    TempDir dir;
    const std::string home = dir.makeDirectory("home");
    dir.makeDirectory("home/Documents");
    dir.makeDirectory("home/Library/Caches/com.openai.codex");
    dir.makeDirectory("home/.cache/spotify");
    dir.symlink(home + "/Documents", "home/Library/Caches/Google");
    const auto allowed = [&](const std::string& path) { return DiskWhitelist::allowsCleaning(path, home, macLayout()); };
    EXPECT_TRUE(allowed(home + "/Library/Caches/com.openai.codex"));
    EXPECT_TRUE(allowed(home + "/Library/Caches/com.openai.codex/"));
    EXPECT_FALSE(allowed(home + "/Library/Caches/Google/../../Documents"));
    EXPECT_FALSE(allowed(home + "/Library/Caches/com.openai.codex/.."));
    EXPECT_FALSE(allowed(home));
    EXPECT_FALSE(allowed("/etc"));
    EXPECT_FALSE(allowed("Library/Caches/com.openai.codex")) << "relative";
    EXPECT_FALSE(allowed(home + "/Library/Caches/Google")) << "a root that is a link into Documents";
    EXPECT_FALSE(allowed(home + "/Library/Caches/Google/file"));
    EXPECT_FALSE(allowed(home + "/.codex/worktrees/a/b/c")) << "five components below the home";
    EXPECT_TRUE(allowed(home + "/.codex/worktrees/a/b"));
    EXPECT_TRUE(allowed(home + "/Library/Caches/com.x.ShipIt/update.abc/file"));
    EXPECT_FALSE(DiskWhitelist::allowsCleaning(home + "/Library/Caches/com.openai.codex", home, linuxLayout()));
    EXPECT_TRUE(DiskWhitelist::allowsCleaning(home + "/.cache/spotify", home, linuxLayout()));

    // A dangling link planted as an allowed root is refused too.
    dir.symlink(dir / "nowhere", "home/Library/Caches/Dia");
    EXPECT_FALSE(allowed(home + "/Library/Caches/Dia"));
}

} // namespace
} // namespace corvane
