#include "disk/SystemDiskAdvisor.h"

#include "support/ManualClock.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

namespace corvane {
namespace {

using test::ManualClock;
using test::TempDir;
using Strings = std::vector<std::string>;

constexpr std::uint64_t MiB = 1'048'576;

/// A temporary home and an advisor over it with a manual clock and a settable running set.
class AdvisorTest : public ::testing::Test {
protected:
    AdvisorTest() : home(dir.makeDirectory("home")) {}

    DiskReport scan(const DiskLayout& layout = macLayout(), SystemDiskAdvisor::Tuning tuning = {}) {
        auto runningNow = running;
        SystemDiskAdvisor advisor(home, [runningNow] { return runningNow; }, clock.clock(), tuning, layout);
        return advisor.scan();
    }
    const DiskItem* find(const DiskReport& report, const std::string& id) {
        for (const DiskItem& item : report.items) {
            if (item.id == id) return &item;
        }
        return nullptr;
    }
    Strings ids(const DiskReport& report) {
        Strings out;
        for (const DiskItem& item : report.items) out.push_back(item.id);
        return out;
    }
    std::string in(const std::string& rel) { return "home/" + rel; }

    TempDir dir;
    std::string home;
    ManualClock clock;
    std::set<std::string> running;
};

TEST_F(AdvisorTest, SizeThresholdsAreInclusive) {
    dir.allocateFolder(in("Library/Caches/Google"), 499 * MiB);
    dir.allocateFolder(in("Library/Caches/com.spotify.client"), 524'288'000);
    dir.allocateFolder(in("Library/Logs/Claude"), 52'428'800);
    dir.allocateFolder(in("Library/Caches/com.openai.codex"), 52'428'800 - 4096);
    const DiskReport report = scan();
    EXPECT_EQ(ids(report), (Strings{"spotify-cache", "claude-cache"}));
    EXPECT_EQ(find(report, "spotify-cache")->bytes, 524'288'000u);
    EXPECT_EQ(find(report, "claude-cache")->detail, "Claude 的浏览器缓存与运行日志。清了会自动重建，不影响会话。");
    EXPECT_EQ(report.scannedAt, clock.now());
    EXPECT_GE(report.scanSeconds, 0.0);
    EXPECT_GT(report.totalBytes, 0u);

    SystemDiskAdvisor::Tuning raised;
    raised.minItemBytes = 52'428'801;
    EXPECT_EQ(ids(scan(macLayout(), raised)), (Strings{"spotify-cache"}));
}

TEST_F(AdvisorTest, TrashIsInformativeAndLeftOutWhenItCannotBeListed) {
    dir.allocateFolder(in(".Trash"), 2'684'354'560); // 2.5 GiB
    DiskReport report = scan();
    ASSERT_EQ(report.items.size(), 1u);
    const DiskItem& trash = report.items[0];
    EXPECT_EQ(trash.id, "trash");
    EXPECT_EQ(trash.title, "废纸篓");
    EXPECT_EQ(trash.detail, "废纸篓里已有 2.5 GB，在 Finder 里清倒废纸篓才会真正释放。");
    EXPECT_TRUE(trash.paths.empty());
    EXPECT_FALSE(trash.blockedReason.has_value());
    EXPECT_TRUE(trash.isInfoOnly);
    EXPECT_EQ(trash.risk, DiskRisk::confirm);
    EXPECT_EQ(report.reclaimableBytes(), 0u);

    TempDir other;
    other.allocate("home/.Trash", 200 * MiB); // exists and measures, but listing it fails
    SystemDiskAdvisor fileTrash(other / "home", [] { return std::set<std::string>{}; }, clock.clock(), {}, macLayout());
    EXPECT_TRUE(fileTrash.scan().items.empty());
}

TEST_F(AdvisorTest, TrashWithoutPermissionToListIsNotReported) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    dir.allocateFolder(in(".Trash/files"), 200 * MiB);
    dir.allocateFolder(in("Library/Logs/Claude"), 60 * MiB);
    dir.unreadableFolder(in(".Trash"));
    EXPECT_EQ(ids(scan()), (Strings{"claude-cache"}));
}

TEST_F(AdvisorTest, RunningOwnerBlocksButKeepsThePaths) {
    dir.allocateFolder(in("Library/Developer/Xcode/DerivedData"), 3 * 1024 * MiB);
    dir.allocateFolder(in("Library/Caches/com.openai.atlas"), 60 * MiB);
    running = {"com.apple.dt.Xcode", "com.openai.atlas", "com.openai.chat"};
    const DiskReport report = scan();
    const DiskItem* xcode = find(report, "xcode-derived-data");
    ASSERT_NE(xcode, nullptr);
    EXPECT_EQ(xcode->blockedReason, "Xcode 正在运行，先退出它再清理");
    EXPECT_EQ(xcode->paths, (Strings{home + "/Library/Developer/Xcode/DerivedData"}));
    EXPECT_FALSE(xcode->isActionable());
    const DiskItem* codex = find(report, "codex-cache");
    ASSERT_NE(codex, nullptr);
    EXPECT_EQ(codex->blockedReason, "ChatGPT 正在运行，先退出它再清理") << "the first running owner in owner order";
    EXPECT_EQ(report.reclaimableBytes(), 0u);
}

TEST_F(AdvisorTest, LinkedPlacesAreNeitherMeasuredNorOffered) {
    dir.allocateFolder("elsewhere/Google", 600 * MiB);
    dir.allocateFolder("elsewhere/Other", 600 * MiB);
    dir.makeDirectory(in("Library/Caches"));
    dir.symlink(dir / "elsewhere/Google", in("Library/Caches/Google"));
    dir.symlink(dir / "elsewhere/Other", in("Library/Caches/Other"));
    dir.symlink(dir / "elsewhere", in(".npm"));
    EXPECT_TRUE(scan().items.empty());
}

TEST_F(AdvisorTest, OrderIsBySizeThenIdAndApproximateSizesAreMarked) {
    dir.allocateFolder(in("Library/Caches/com.openai.codex"), 60 * MiB);
    dir.allocateFolder(in("Library/Logs/Claude"), 60 * MiB);
    dir.allocateFolder(in("Library/Caches/Dia"), 800 * MiB);
    dir.allocateFolder(in(".codex/sessions"), 55 * MiB);
    dir.allocate(in(".codex/thread_history_1.sqlite"), 10 * MiB);
    dir.allocate(in(".codex/thread_history_2.sqlite-wal"), 10 * MiB);
    dir.allocate(in(".codex/history.sqlite"), 100 * MiB);
    DiskReport report = scan();
    EXPECT_EQ(ids(report), (Strings{"dia-cache", "codex-sessions", "claude-cache", "codex-cache"}));
    const DiskItem* sessions = find(report, "codex-sessions");
    EXPECT_EQ(sessions->bytes, 75 * MiB) << "the two conversation databases join the sessions";
    EXPECT_EQ(sessions->detail, "会话与对话库占 75 MB，请用 Codex 自带的归档整理（这里不提供清理）。");
    EXPECT_TRUE(sessions->paths.empty());
    EXPECT_EQ(report.reclaimableBytes(), 920 * MiB);

    // With the catalogue deadline already spent every walk stops after its first 256 entries.
    for (int i = 0; i < 600; ++i) dir.allocate(in("Library/Caches/Dia/many/f" + std::to_string(i)), 256 * 1024);
    SystemDiskAdvisor::Tuning hurried;
    hurried.staticDeadline = -1;
    report = scan(macLayout(), hurried);
    const DiskItem* dia = find(report, "dia-cache");
    ASSERT_NE(dia, nullptr);
    EXPECT_LT(dia->bytes, 950 * MiB);
    EXPECT_EQ(dia->detail, "Dia 的磁盘缓存。清了会自动重建。（估算，约值）");
    EXPECT_EQ(dia->paths, (Strings{home + "/Library/Caches/Dia"}));
}

TEST_F(AdvisorTest, UpdateLeftoversSkipTheBundleInUse) {
    const std::string shipIt = "Library/Caches/com.example.App.ShipIt";
    dir.allocateFolder(in(shipIt + "/update.A"), 60 * MiB);
    dir.allocateFolder(in(shipIt + "/update.B"), 60 * MiB);
    dir.write(in(shipIt + "/ShipItState.plist"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
              "<key>bundleIdentifier</key><string>com.example.App</string>"
              "<key>updateBundleURL</key><string>file://" + home + "/" + shipIt + "/update.B/</string>"
              "</dict></plist>\n");
    dir.allocateFolder(in("Library/Caches/com.todesktop.230313abc.ShipIt/update.x"), 70 * MiB);
    dir.allocateFolder(in("Library/Caches/broken.ShipIt/update.x"), 70 * MiB);
    dir.write(in("Library/Caches/broken.ShipIt/ShipItState.plist"), "neither JSON nor a property list");
    dir.allocateFolder(in("Library/Caches/tiny.ShipIt/update.x"), 10 * MiB);
    running = {"com.example.App"};

    const DiskReport report = scan();
    EXPECT_EQ(ids(report), (Strings{"shipit-com.todesktop.230313abc.ShipIt", "shipit-com.example.App.ShipIt"}));
    const DiskItem* app = find(report, "shipit-com.example.App.ShipIt");
    EXPECT_EQ(app->title, "App 更新残留");
    EXPECT_EQ(app->detail, "应用更新的临时文件。清了不影响应用本身；待安装的更新不会被动。");
    EXPECT_EQ(app->paths, (Strings{home + "/" + shipIt + "/update.A"}));
    EXPECT_EQ(app->bytes, 60 * MiB);
    EXPECT_EQ(app->ownerBundleIDs, (Strings{"com.example.App"}));
    EXPECT_EQ(app->blockedReason, "App 正在运行，先退出它再清理");
    EXPECT_EQ(app->risk, DiskRisk::safe);

    const DiskItem* todesktop = find(report, "shipit-com.todesktop.230313abc.ShipIt");
    EXPECT_EQ(todesktop->title, "com.todesktop.230313abc 更新残留");
    EXPECT_EQ(todesktop->detail,
              "应用更新的临时文件（com.todesktop.230313abc）。已下载过的更新包，清了不影响应用本身；待安装的更新不会被动。");
    EXPECT_TRUE(todesktop->ownerBundleIDs.empty());
    EXPECT_TRUE(todesktop->isActionable());
}

TEST(SystemDiskAdvisorStatic, StateFilesAreReadAsJsonThenPropertyLists) {
    TempDir dir;
    const auto json = SystemDiskAdvisor::readStateDict(
        dir.write("a.json", R"({"bundleIdentifier":"com.x.Y","updateBundleURL":"/p/update.1","n":3})"));
    ASSERT_TRUE(json.has_value());
    EXPECT_EQ(*json, (std::map<std::string, std::string>{{"bundleIdentifier", "com.x.Y"}, {"updateBundleURL", "/p/update.1"}}));

    const auto binary = SystemDiskAdvisor::readStateDict(std::string(CORVANE_FIXTURES_DIR) + "/disk/ShipItState-binary.plist");
    ASSERT_TRUE(binary.has_value());
    EXPECT_EQ(binary->at("bundleIdentifier"), "com.example.Binary");
    EXPECT_EQ(binary->at("updateBundleURL"), "file:///tmp/x/update.B");
    EXPECT_EQ(binary->count("count"), 0u) << "only string values are kept";

    EXPECT_FALSE(SystemDiskAdvisor::readStateDict(dir.write("array.json", "[1,2]")).has_value());
    EXPECT_FALSE(SystemDiskAdvisor::readStateDict(dir.write("junk", "{not json")).has_value());
    EXPECT_FALSE(SystemDiskAdvisor::readStateDict(dir / "missing").has_value());
}

TEST(SystemDiskAdvisorStatic, NamesAndSizes) {
    EXPECT_EQ(SystemDiskAdvisor::appName("com.apple.dt.Xcode"), "Xcode");
    EXPECT_EQ(SystemDiskAdvisor::appName("com.example.Tool"), "Tool");
    EXPECT_EQ(SystemDiskAdvisor::appName("com.example.Tool..."), "Tool");
    EXPECT_EQ(SystemDiskAdvisor::appName("..."), "...");
    EXPECT_EQ(SystemDiskAdvisor::appName("google-chrome"), "Chrome");
    EXPECT_EQ(SystemDiskAdvisor::appName("firefox"), "firefox");
    EXPECT_EQ(SystemDiskAdvisor::gb(734'003'200), "700 MB");
    EXPECT_EQ(SystemDiskAdvisor::gb(1'073'741'823), "1024 MB");
    EXPECT_EQ(SystemDiskAdvisor::gb(1'073'741'824), "1.0 GB");
    EXPECT_EQ(SystemDiskAdvisor::gb(5'368'709'120), "5.0 GB");
}

TEST_F(AdvisorTest, OldGeneratedImagesNeedEveryFileOlderThanTheCutoff) {
    const double now = unixSeconds(clock.now());
    const auto batch = [&](const std::string& name, double ageDays) {
        dir.allocateFolder(in(".codex/generated_images/" + name), 60 * MiB);
        for (int part = 0; part < 2; ++part) {
            dir.setModified(in(".codex/generated_images/" + name + "/part-" + std::to_string(part)), now - 400 * 86'400.0);
        }
        dir.write(in(".codex/generated_images/" + name + "/image.png"), "png");
        dir.setModified(in(".codex/generated_images/" + name + "/image.png"), now - ageDays * 86'400.0);
    };
    batch("old-1", 91);
    batch("old-2", 365);
    batch("recent", 10);
    dir.allocate(in(".codex/generated_images/loose.png"), 60 * MiB);
    dir.setModified(in(".codex/generated_images/loose.png"), now - 400 * 86'400.0);

    const DiskReport report = scan();
    const DiskItem* images = find(report, "codex-generated-images");
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->title, "Codex 生成图片（超过 90 天）");
    EXPECT_EQ(images->detail, "2 批超过 90 天没有变动的 AI 生成图片。可能含你想留的作品，请确认后再清理；移入废纸篓后可放回。");
    EXPECT_EQ(images->paths, (Strings{home + "/.codex/generated_images/old-1", home + "/.codex/generated_images/old-2"}));
    EXPECT_EQ(images->risk, DiskRisk::confirm);
    EXPECT_GE(images->bytes, 120 * MiB);

    clock.advance(-300 * 86'400.0); // now even the oldest batch is recent
    EXPECT_EQ(find(scan(), "codex-generated-images"), nullptr);
}

TEST_F(AdvisorTest, OtherCachesNameTheThreeLargest) {
    dir.allocateFolder(in("Library/Caches/foo"), 60 * MiB);
    dir.allocateFolder(in("Library/Caches/bar"), 70 * MiB);
    dir.allocateFolder(in("Library/Caches/baz"), 80 * MiB);
    dir.allocateFolder(in("Library/Caches/qux"), 55 * MiB);
    dir.allocateFolder(in("Library/Caches/.hidden"), 300 * MiB);
    dir.allocateFolder(in("Library/Caches/Google"), 300 * MiB);
    dir.allocateFolder(in("Library/Caches/x.ShipIt/other"), 300 * MiB);
    const DiskReport report = scan();
    ASSERT_EQ(ids(report), (Strings{"caches-other"}));
    const DiskItem& others = report.items[0];
    EXPECT_EQ(others.title, "其他缓存");
    EXPECT_EQ(others.detail, "其他缓存 265 MB，请手动检查 ~/Library/Caches（较大：baz、bar、foo）。这里不提供清理。");
    EXPECT_EQ(others.bytes, 265 * MiB);
    EXPECT_TRUE(others.isInfoOnly);
    EXPECT_TRUE(others.paths.empty());
}

TEST_F(AdvisorTest, LinuxLayoutFindsTheSameKindsInXdgPlaces) {
    dir.allocateFolder(in(".cache/google-chrome"), 400 * MiB);
    dir.allocateFolder(in(".cache/chromium"), 200 * MiB);
    dir.allocateFolder(in(".local/share/Trash/files"), 100 * MiB);
    dir.allocateFolder(in(".cache/spotify"), 300 * MiB);
    dir.allocateFolder(in(".cache/com.example.App.ShipIt/update.A"), 60 * MiB);
    dir.allocateFolder(in(".cache/thumbnails"), 90 * MiB);
    dir.allocateFolder(in("Library/Caches/Google"), 900 * MiB); // a macOS place means nothing here
    running = {"chromium"};
    const DiskReport report = scan(linuxLayout());
    EXPECT_EQ(ids(report), (Strings{"chrome-cache", "trash", "caches-other", "shipit-com.example.App.ShipIt"}));
    const DiskItem* chrome = find(report, "chrome-cache");
    EXPECT_EQ(chrome->paths, (Strings{home + "/.cache/google-chrome", home + "/.cache/chromium"}));
    EXPECT_EQ(chrome->blockedReason, "Chromium 正在运行，先退出它再清理");
    EXPECT_EQ(find(report, "trash")->detail.find("在文件管理器里清倒废纸篓才会真正释放。") != std::string::npos, true);
    EXPECT_EQ(find(report, "caches-other")->detail,
              "其他缓存 90 MB，请手动检查 ~/.cache（较大：thumbnails）。这里不提供清理。");
}

} // namespace
} // namespace corvane
