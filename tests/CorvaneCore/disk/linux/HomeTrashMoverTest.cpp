#include "disk/linux/HomeTrashMover.h"

#include "disk/DiskCleaner.h"
#include "support/FileRead.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"
#include "support/UniqueFd.h"
#include "support/Utf8.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <thread>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using Names = std::set<std::string>;

/// Runs of the cleaner against a folder swapped for a link, per resolution.
constexpr int raceRuns = 500;

Names namesIn(const std::string& folder) {
    Names names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(entry.path().filename().string());
    return names;
}

/// Every path below `root` (relative to it), except what lies in the folder `skipped`.
Names treeOf(const std::string& root, const std::string& skipped) {
    Names paths;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path().string() == skipped) {
            it.disable_recursion_pending();
            continue;
        }
        paths.insert(fs::relative(it->path(), root).string());
    }
    return paths;
}

unsigned permissionsOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

DiskItem cleanable(std::string id, std::string path) {
    DiskItem item;
    item.id = std::move(id);
    item.bytes = 4096;
    item.paths = {std::move(path)};
    return item;
}

/// A temporary home with its trash at the default place below it (not created yet).
struct Home {
    TempDir dir;
    std::string home = dir.makeDirectory("home");
    std::string trash = home + "/.local/share/Trash";
};

class HomeTrashMoverTest : public ::testing::TestWithParam<LinkFreeResolution> {
protected:
    HomeTrashMover mover(const Home& h, Clock now = systemClock()) const {
        return HomeTrashMover(h.home, h.trash, std::move(now), GetParam());
    }
};

TEST_P(HomeTrashMoverTest, RefusesLinksOnTheWayBrokenTrashFoldersAndPathsOutsideHome) {
    struct Case {
        const char* name;
        std::function<std::string(Home&)> prepare; // returns the path to move
    };
    const auto cacheItem = [](const Home& h) { return h.home + "/.cache/spotify"; };
    const std::vector<Case> cases{
        {"a folder on the way is a link, even to a place inside the home",
         [](Home& h) {
             fs::rename(h.home + "/.cache", h.home + "/real-cache");
             h.dir.symlink(h.home + "/real-cache", "home/.cache");
             return h.home + "/.cache/spotify";
         }},
        {"the trash's files folder is a link",
         [&](Home& h) {
             h.dir.makeDirectory("home/.local/share/Trash/info");
             h.dir.symlink(h.dir.makeDirectory("elsewhere/empty"), "home/.local/share/Trash/files");
             return cacheItem(h);
         }},
        {"the trash's info folder is a link",
         [&](Home& h) {
             h.dir.makeDirectory("home/.local/share/Trash/files");
             h.dir.symlink(h.dir.makeDirectory("elsewhere/empty"), "home/.local/share/Trash/info");
             return cacheItem(h);
         }},
        {"the trash's files folder is a file",
         [&](Home& h) {
             h.dir.write("home/.local/share/Trash/files", "not a folder");
             return cacheItem(h);
         }},
        {"the trash folder is a link",
         [&](Home& h) {
             h.dir.makeDirectory("elsewhere/files");
             h.dir.makeDirectory("elsewhere/info");
             h.dir.symlink(h.dir / "elsewhere", "home/.local/share/Trash");
             return cacheItem(h);
         }},
        {"outside the home", [](Home& h) { return h.dir / "elsewhere"; }},
        {"the home itself", [](Home& h) { return h.home; }},
        {"a .. component", [](Home& h) { return h.home + "/.cache/spotify/../spotify"; }},
        {"a . component", [](Home& h) { return h.home + "/.cache/./spotify"; }},
        {"a relative path", [](Home&) { return std::string(".cache/spotify"); }},
        {"a missing item", [](Home& h) { return h.home + "/.cache/absent"; }},
    };
    for (const Case& c : cases) {
        Home h;
        h.dir.write("home/.cache/spotify/data", "inside");
        h.dir.write("elsewhere/keep", "outside");
        const std::string path = c.prepare(h);
        const Names before = treeOf(h.dir.path(), h.trash);

        EXPECT_FALSE(mover(h).trash(path)) << c.name;
        EXPECT_EQ(treeOf(h.dir.path(), h.trash), before) << c.name << ": nothing moved";
        EXPECT_EQ(namesIn(h.trash + "/info"), Names{}) << c.name << ": no record is left behind";
    }
}

TEST_P(HomeTrashMoverTest, MovesIntoANewTrashWithAnEncodedPathAndTheLocalDeletionTime) {
    Home h;
    h.dir.write("home/.codex/worktrees/项目 50%/wt/file", "work");
    std::tm local{};
    ::strptime("2024-05-06T07:08:09", "%Y-%m-%dT%H:%M:%S", &local);
    local.tm_isdst = -1;
    const Date deleted = std::chrono::system_clock::from_time_t(std::mktime(&local));

    ASSERT_TRUE(mover(h, [deleted] { return deleted; }).trash(h.home + "/.codex/worktrees/项目 50%/wt"));
    EXPECT_FALSE(fs::exists(h.home + "/.codex/worktrees/项目 50%/wt"));
    EXPECT_EQ(readWholeFile(h.trash + "/files/wt/file"), "work");
    EXPECT_EQ(readWholeFile(h.trash + "/info/wt.trashinfo"),
              "[Trash Info]\nPath=" + h.home + "/.codex/worktrees/%E9%A1%B9%E7%9B%AE%2050%25/wt\n"
              "DeletionDate=2024-05-06T07:08:09\n");
    for (const char* folder : {"", "/files", "/info"}) {
        EXPECT_EQ(permissionsOf(h.trash + folder), 0700u) << "Trash" << folder;
    }
}

TEST_P(HomeTrashMoverTest, AFinalLinkIsMovedAsTheLinkAndItsTargetStays) {
    Home h;
    h.dir.write("elsewhere/keep", "outside");
    h.dir.symlink(h.dir / "elsewhere", "home/.cache/spotify");

    ASSERT_TRUE(mover(h).trash(h.home + "/.cache/spotify"));
    EXPECT_TRUE(fs::is_symlink(h.trash + "/files/spotify"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(h.home + "/.cache/spotify")));
    EXPECT_EQ(readWholeFile(h.dir / "elsewhere/keep"), "outside");
}

TEST_P(HomeTrashMoverTest, ChoosesAFreeNameThatFitsTheFileSystem) {
    Home h;
    // An earlier move of the same name, and a stray item without a record (another program's
    // crash): both names are taken, and the stray one must not gain a record.
    h.dir.write("home/.local/share/Trash/files/spotify/old", "earlier");
    h.dir.write("home/.local/share/Trash/info/spotify.trashinfo", "[Trash Info]\n");
    h.dir.write("home/.local/share/Trash/files/spotify.2/stray", "stray");
    h.dir.write("home/.cache/spotify/data", "now");
    ASSERT_TRUE(mover(h).trash(h.home + "/.cache/spotify"));
    EXPECT_EQ(namesIn(h.trash + "/info"), (Names{"spotify.trashinfo", "spotify.3.trashinfo"}));
    EXPECT_EQ(readWholeFile(h.trash + "/files/spotify.3/data"), "now");
    EXPECT_EQ(readWholeFile(h.trash + "/files/spotify.2/stray"), "stray");

    // 84 three-byte characters: the record's name would pass the 255-byte limit uncut.
    std::string longName;
    for (int i = 0; i < 84; ++i) longName += "缓";
    for (int copy = 0; copy < 2; ++copy) {
        h.dir.write("home/.cache/" + longName + "/data", "long");
        ASSERT_TRUE(mover(h).trash(h.home + "/.cache/" + longName)) << copy;
    }
    int longRecords = 0;
    for (const std::string& record : namesIn(h.trash + "/info")) {
        if (record.rfind("缓", 0) != 0) continue;
        ++longRecords;
        EXPECT_LE(record.size(), 255u);
        EXPECT_TRUE(isValidUtf8(record)) << "cut at a character boundary";
        const std::string trashName = record.substr(0, record.size() - std::string(".trashinfo").size());
        EXPECT_EQ(readWholeFile(h.trash + "/files/" + trashName + "/data"), "long");
    }
    EXPECT_EQ(longRecords, 2);
}

/// A folder on another file system than the temporary folder: a fresh folder in /dev/shm when
/// that is a separate file system, else a tmpfs mounted for the test (root only).
class ForeignFolder {
public:
    explicit ForeignFolder(const TempDir& local) {
        struct stat localStatus {}, shmStatus {};
        if (::stat(local.path().c_str(), &localStatus) == 0 && ::stat("/dev/shm", &shmStatus) == 0 &&
            localStatus.st_dev != shmStatus.st_dev) {
            shm_ = std::make_unique<TempDir>("/dev/shm");
            path_ = shm_->path();
            return;
        }
        const std::string mountPoint = local.makeDirectory("tmpfs");
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=4m,mode=0700") == 0) path_ = mounted_ = mountPoint;
    }
    ~ForeignFolder() {
        if (!mounted_.empty()) ::umount2(mounted_.c_str(), MNT_DETACH);
    }
    ForeignFolder(const ForeignFolder&) = delete;
    ForeignFolder& operator=(const ForeignFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::unique_ptr<TempDir> shm_;
    std::string mounted_;
    std::string path_;
};

TEST_P(HomeTrashMoverTest, AnItemOnAnotherFileSystemFailsAndStaysInPlace) {
    TempDir local;
    const ForeignFolder foreign(local);
    if (foreign.path().empty()) {
        GTEST_SKIP() << "needs a second file system: /dev/shm is on the temporary folder's file system "
                        "and mounting a tmpfs was refused";
    }
    const std::string home = foreign.path() + "/home";
    fs::create_directories(home + "/.cache/spotify");
    std::ofstream(home + "/.cache/spotify/data") << "inside";
    const std::string trash = local / "data/Trash";

    EXPECT_FALSE(HomeTrashMover(home, trash, systemClock(), GetParam()).trash(home + "/.cache/spotify"));
    EXPECT_EQ(readWholeFile(home + "/.cache/spotify/data"), "inside");
    EXPECT_EQ(namesIn(trash + "/files"), Names{}) << "nothing is copied";
    EXPECT_EQ(namesIn(trash + "/info"), Names{}) << "the record is removed again";
}

struct RaceTally {
    int trashed{};
    int failed{};
    int skipped{};
    int outsideMoves{};
    long swapsDuringMoves{};
};

/// Creates the folders `relatives` (parents first) and the empty file `file` below `root` with
/// plain system calls: the race repeats its set-up hundreds of times, and std::filesystem is
/// slow under the sanitizers.
void lay(const std::string& root, std::initializer_list<const char*> relatives, const std::string& file) {
    ::mkdir(root.c_str(), 0700);
    for (const char* relative : relatives) ::mkdir((root + "/" + relative).c_str(), 0700);
    const UniqueFd created(::open((root + "/" + file).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
}

/// Cleans ~/.cache/spotify `raceRuns` times, each in a fresh home, while a thread keeps exchanging
/// a folder of its chain (".cache" in even runs, the item itself in odd ones) with a link to a
/// look-alike outside the home.
RaceTally cleanWhileSwapping(LinkFreeResolution resolution) {
    RaceTally tally;
    TempDir dir;
    for (int run = 0; run < raceRuns; ++run) {
        const std::string swapped = run % 2 == 0 ? ".cache" : ".cache/spotify";
        const std::string root = dir / std::to_string(run);
        const std::string home = root + "/home";
        lay(root, {"home", "home/.cache", "home/.cache/spotify"}, "home/.cache/spotify/data");
        lay(root, {"outside", "outside/.cache", "outside/.cache/spotify"}, "outside/.cache/spotify/marker");
        const std::string real = home + "/" + swapped;
        const std::string decoy = real + ".decoy";
        ::symlink((root + "/outside/" + swapped).c_str(), decoy.c_str());

        std::atomic<bool> stop{false};
        std::atomic<long> swaps{0};
        std::thread swapper([&] {
            while (!stop.load(std::memory_order_relaxed)) {
                if (::renameat2(AT_FDCWD, real.c_str(), AT_FDCWD, decoy.c_str(), RENAME_EXCHANGE) == 0) {
                    swaps.fetch_add(1, std::memory_order_relaxed);
                }
            }
        });
        while (swaps.load() == 0) std::this_thread::yield();
        HomeTrashMover mover(home, home + "/.local/share/Trash", systemClock(), resolution);
        const long before = swaps.load();
        const DiskCleanReport report = DiskCleaner::clean({cleanable("spotify-cache", home + "/.cache/spotify")},
                                                          mover, {}, home, linuxLayout());
        tally.swapsDuringMoves += swaps.load() - before;
        stop = true;
        swapper.join();

        tally.trashed += static_cast<int>(report.trashedItemIDs.size());
        tally.failed += static_cast<int>(report.failedItemIDs.size());
        tally.skipped += static_cast<int>(report.skippedItemIDs.size());
        if (::access((root + "/outside/.cache/spotify/marker").c_str(), F_OK) != 0) ++tally.outsideMoves;
    }
    return tally;
}

TEST_P(HomeTrashMoverTest, AFolderSwappedForALinkDuringCleaningNeverMovesAnythingOutside) {
    const RaceTally tally = cleanWhileSwapping(GetParam());
    std::cout << "[ race ] " << raceRuns << " runs, " << tally.swapsDuringMoves << " swaps during moves, "
              << tally.trashed << " trashed, " << tally.failed << " failed, " << tally.skipped << " skipped, "
              << tally.outsideMoves << " outside moves\n";
    EXPECT_EQ(tally.outsideMoves, 0);
    EXPECT_EQ(tally.trashed + tally.failed + tally.skipped, raceRuns);
    EXPECT_GT(tally.trashed, 0) << "the race must leave the cleaner room to move";
    EXPECT_GT(tally.swapsDuringMoves, 0) << "the swaps must overlap the moves";
}

INSTANTIATE_TEST_SUITE_P(Resolutions, HomeTrashMoverTest,
                         ::testing::Values(LinkFreeResolution::automatic, LinkFreeResolution::componentWalk),
                         [](const ::testing::TestParamInfo<LinkFreeResolution>& info) {
                             return info.param == LinkFreeResolution::automatic ? "openat2" : "componentWalk";
                         });

// trash-cli is an independent reader of the freedesktop.org trash format: what the cleaner moved
// must be listed with its original path and put back by it.
TEST(HomeTrashMoverInterop, TrashCliListsAndRestoresWhatTheCleanerMoved) {
    Home h;
    const std::string data = h.dir.makeDirectory("data");
    EXPECT_EQ(HomeTrashMover::trashDirectoryFor(h.home, nullptr), h.trash);
    EXPECT_EQ(HomeTrashMover::trashDirectoryFor(h.home, "relative/data"), h.trash)
        << "a relative data folder is ignored";
    ASSERT_EQ(HomeTrashMover::trashDirectoryFor(h.home, data.c_str()), data + "/Trash");

    const std::string worktree = h.home + "/.codex/worktrees/项目 50%/wt";
    const std::string file = h.dir.write("home/.codex/worktrees/项目 50%/wt/notes", "notes");
    h.dir.write("home/.cache/spotify/chunk 1", "cached");
    h.dir.symlink(h.home + "/.local", "home/.cache/google-chrome");
    HomeTrashMover mover(h.home, HomeTrashMover::trashDirectoryFor(h.home, data.c_str()));
    const DiskCleanReport report = DiskCleaner::clean({cleanable("spotify-cache", h.home + "/.cache/spotify"),
                                                       cleanable("chrome-cache", h.home + "/.cache/google-chrome"),
                                                       cleanable("codex-worktree-wt", worktree)},
                                                      mover, {}, h.home, linuxLayout());
    EXPECT_EQ(report.trashedItemIDs, (std::vector<std::string>{"spotify-cache", "codex-worktree-wt"}));
    EXPECT_EQ(report.skippedItemIDs, (std::vector<std::string>{"chrome-cache"}));

    const auto run = [&](const std::string& command) {
        const test::ShellResult result =
            test::runShell("export HOME='" + h.home + "' XDG_DATA_HOME='" + data + "' && " + command);
        EXPECT_EQ(result.status, 0) << command;
        return result.out;
    };
    const std::string listed = run("trash-list");
    EXPECT_NE(listed.find(" " + h.home + "/.cache/spotify\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find(" " + worktree + "\n"), std::string::npos) << listed;

    run("cd '" + h.home + "' && echo 0 | trash-restore '" + worktree + "'");
    EXPECT_EQ(readWholeFile(file), "notes");
    EXPECT_EQ(run("trash-list").find(worktree), std::string::npos);
}

} // namespace
} // namespace corvane
