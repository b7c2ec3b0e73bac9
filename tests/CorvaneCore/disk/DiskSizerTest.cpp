#include "disk/DiskSizer.h"

#include "support/ScopedEnvironment.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace corvane {
namespace {

using test::TempDir;

std::uint64_t duBytes(const std::string& path) {
    const test::ShellResult du = test::runShell("du -s -l -B1 '" + path + "'");
    EXPECT_EQ(du.status, 0);
    return std::stoull(du.out);
}

void makeFiles(const TempDir& dir, const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) dir.write(folder + "/f" + std::to_string(i), "x");
}

struct Totals {
    std::uint64_t bytes{};
    std::int64_t files{};
    bool approximate{false};
};

std::uint64_t blocksAt(int fd, const char* name) {
    struct stat status;
    EXPECT_EQ(::fstatat(fd, name, &status, AT_SYMLINK_NOFOLLOW), 0) << name;
    return static_cast<std::uint64_t>(status.st_blocks) * 512;
}

/// Builds below the new folder `root` a chain of `depth` folders "d/d/d/...". Every hundredth
/// folder of the chain also holds one-byte files listed before and after "d" ("a" and "z") and
/// an empty folder "e". Built through descriptors, as its paths outgrow PATH_MAX. Returns what
/// a measure of `root` must count.
Totals buildDeepTree(const std::string& root, int depth) {
    Totals totals;
    ::mkdir(root.c_str(), 0755);
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    const auto addFile = [&](const char* name) {
        const int file = ::openat(fd, name, O_WRONLY | O_CREAT, 0644);
        EXPECT_EQ(::write(file, "x", 1), 1);
        ::close(file);
        totals.bytes += blocksAt(fd, name);
        totals.files += 1;
    };
    for (int level = 0; level < depth && fd >= 0; ++level) {
        const bool full = level % 100 == 0;
        if (full) addFile("a");
        ::mkdirat(fd, "d", 0755);
        if (full) {
            addFile("z");
            ::mkdirat(fd, "e", 0755);
            totals.bytes += blocksAt(fd, "e");
            totals.files += 1;
        }
        totals.bytes += blocksAt(fd, ".");
        totals.files += 1;
        const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = child;
    }
    EXPECT_GE(fd, 0);
    totals.bytes += blocksAt(fd, ".");
    totals.files += 1;
    ::close(fd);
    return totals;
}

/// Removes the chain below `root` one level at a time: the grandchild moves up beside "d", then
/// the emptied "d" goes. What stays at the top is shallow enough for an ordinary removal.
void removeDeepTree(const std::string& root) {
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (bool more = true; more;) {
        const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        if (child < 0) break;
        more = ::renameat(child, "d", fd, "next") == 0;
        ::unlinkat(child, "a", 0);
        ::unlinkat(child, "z", 0);
        ::unlinkat(child, "e", AT_REMOVEDIR);
        ::close(child);
        ::unlinkat(fd, "d", AT_REMOVEDIR);
        if (more) ::renameat(fd, "next", fd, "d");
    }
    ::close(fd);
}

/// Measures `path` in a child process limited to 1,024 open descriptors and a 2 MiB stack, the
/// usual defaults of a desktop session; absent when the child did not finish normally.
std::optional<Totals> measureUnderUsualLimits(const std::string& path) {
    int results[2];
    if (::pipe(results) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit descriptors{1024, 1024};
        const rlimit stack{2 << 20, 2 << 20};
        if (::setrlimit(RLIMIT_NOFILE, &descriptors) != 0 || ::setrlimit(RLIMIT_STACK, &stack) != 0) ::_exit(2);
        const DiskMeasure measure = DiskSizer::measure(path, 1e9);
        const Totals totals{measure.bytes, measure.files, measure.approximate};
        ::_exit(::write(results[1], &totals, sizeof totals) == sizeof totals ? 0 : 3);
    }
    ::close(results[1]);
    Totals totals;
    const bool read = ::read(results[0], &totals, sizeof totals) == sizeof totals;
    ::close(results[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return totals;
}

TEST(DiskSizer, SymbolicLinksAreNeverFollowed) {
    TempDir dir;
    dir.allocateFolder("big", 8 * 1024 * 1024);
    dir.symlink(dir / "big", "link");
    EXPECT_EQ(DiskSizer::measure(dir / "link", 10), DiskMeasure{});
    EXPECT_TRUE(DiskSizer::isSymlink(dir / "link"));
    EXPECT_FALSE(DiskSizer::isSymlink(dir / "big"));
    EXPECT_FALSE(DiskSizer::isSymlink(dir / "missing"));
    EXPECT_EQ(DiskSizer::measure(dir / "missing", 10), DiskMeasure{});
}

TEST(DiskSizer, FileCountsItsAllocatedBlocksNotItsLength) {
    TempDir dir;
    dir.allocate("whole", 3 * 4096);
    dir.sparse("sparse", 100 * 1024 * 1024);
    const DiskMeasure whole = DiskSizer::measure(dir / "whole", 10);
    EXPECT_EQ(whole.bytes, 3u * 4096);
    EXPECT_EQ(whole.files, 1);
    const DiskMeasure sparse = DiskSizer::measure(dir / "sparse", 10);
    EXPECT_EQ(sparse.bytes, dir.allocatedBytes("sparse"));
    EXPECT_LT(sparse.bytes, 1024u * 1024);
    EXPECT_EQ(sparse.files, 1);
}

TEST(DiskSizer, TreeTotalMatchesDuCountingHardLinksPerLinkAndLinksUnfollowed) {
    TempDir dir;
    dir.allocateFolder("outside", 4 * 1024 * 1024);
    dir.allocate("tree/a", 8192);
    dir.allocate("tree/.hidden", 4096);
    dir.allocate("tree/sub/deeper/b", 16384);
    dir.sparse("tree/sub/sparse", 50 * 1024 * 1024);
    dir.hardLink("tree/a", "tree/sub/a-again");
    dir.symlink(dir / "outside", "tree/sub/to-outside");
    dir.symlink("missing-target", "tree/dangling");
    const DiskMeasure measure = DiskSizer::measure(dir / "tree", 10);
    EXPECT_EQ(measure.bytes, duBytes(dir / "tree"));
    // tree, a, .hidden, sub, deeper, b, sparse, a-again, to-outside, dangling
    EXPECT_EQ(measure.files, 10);
    EXPECT_FALSE(measure.approximate);
    EXPECT_FALSE(measure.newestMTime.has_value());
}

TEST(DiskSizer, ModificationTracking) {
    TempDir dir;
    dir.makeDirectory("empty");
    dir.setModified("empty", 1'600'000'000);
    EXPECT_EQ(DiskSizer::measure(dir / "empty", 10, std::nullopt, true).newestMTime, dateFromUnixSeconds(1'600'000'000));

    dir.write("tree/old", "x");
    dir.write("tree/sub/newest", "x");
    dir.makeDirectory("tree/later-folder");
    dir.setModified("tree/old", 1'500'000'000);
    dir.setModified("tree/sub/newest", 1'600'000'100);
    dir.setModified("tree/later-folder", 1'700'000'000); // folders never count
    const DiskMeasure tracked = DiskSizer::measure(dir / "tree", 10, std::nullopt, true);
    EXPECT_EQ(tracked.newestMTime, dateFromUnixSeconds(1'600'000'100));
    EXPECT_FALSE(tracked.foundNewer);

    const DiskMeasure untracked = DiskSizer::measure(dir / "tree", 10);
    EXPECT_FALSE(untracked.newestMTime.has_value());
}

TEST(DiskSizer, StopsAtFirstFileNewerThanTheLimit) {
    TempDir dir;
    makeFiles(dir, "tree", 50);
    for (int i = 0; i < 50; ++i) dir.setModified("tree/f" + std::to_string(i), 1'000'000'000);
    const DiskMeasure allOld = DiskSizer::measure(dir / "tree", 10, std::nullopt, true, dateFromUnixSeconds(1'000'000'000));
    EXPECT_FALSE(allOld.foundNewer) << "a file exactly at the limit is not newer";
    EXPECT_EQ(allOld.files, 51);

    dir.setModified("tree/f7", 1'000'000'001);
    const DiskMeasure oneNew = DiskSizer::measure(dir / "tree", 10, std::nullopt, true, dateFromUnixSeconds(1'000'000'000));
    EXPECT_TRUE(oneNew.foundNewer);
    EXPECT_FALSE(oneNew.approximate);
    EXPECT_LE(oneNew.files, 51);
}

TEST(DiskSizer, TimeIsCheckedEvery256Entries) {
    TempDir dir;
    makeFiles(dir, "small", 255);
    makeFiles(dir, "large/a", 300);
    makeFiles(dir, "large/b", 300);

    const DiskMeasure small = DiskSizer::measure(dir / "small", 0);
    EXPECT_FALSE(small.approximate) << "fewer than 256 entries are never cut off";
    EXPECT_EQ(small.files, 256);

    const DiskMeasure overBudget = DiskSizer::measure(dir / "large", 0);
    EXPECT_TRUE(overBudget.approximate);
    EXPECT_EQ(overBudget.files, 257) << "the path itself plus the first 256 entries";

    const auto past = addingSeconds(std::chrono::system_clock::now(), -60);
    const DiskMeasure pastDeadline = DiskSizer::measure(dir / "large", 10, past);
    EXPECT_TRUE(pastDeadline.approximate);
    EXPECT_EQ(pastDeadline.files, 257);

    const DiskMeasure inTime = DiskSizer::measure(dir / "large", 10, addingSeconds(std::chrono::system_clock::now(), 60));
    EXPECT_FALSE(inTime.approximate);
    EXPECT_EQ(inTime.files, 603);
}

TEST(DiskSizer, UnreadableFoldersMakeTheMeasureApproximate) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    TempDir dir;
    dir.allocate("tree/a", 4096);
    dir.allocate("tree/b/c", 4096);
    dir.unreadableFolder("tree/locked");
    const DiskMeasure tree = DiskSizer::measure(dir / "tree", 10);
    EXPECT_TRUE(tree.approximate);
    EXPECT_EQ(tree.files, 5) << "everything but what the locked folder holds";
    EXPECT_EQ(tree.bytes, dir.allocatedBytes("tree") + dir.allocatedBytes("tree/a") + dir.allocatedBytes("tree/b") +
                              dir.allocatedBytes("tree/b/c") + dir.allocatedBytes("tree/locked"));

    const DiskMeasure locked = DiskSizer::measure(dir / "tree/locked", 10);
    EXPECT_TRUE(locked.approximate);
    EXPECT_EQ(locked.files, 1);
    EXPECT_FALSE(DiskSizer::measure(dir / "tree/b", 10).approximate);
}

TEST(DiskSizer, DeepTreesAreMeasuredExactlyUnderUsualLimits) {
    for (const int depth : {10'000, 100'000}) {
        // On a memory file system when there is one: removing 100,000 folders from a disk that
        // discards freed blocks at once takes minutes.
        std::optional<test::ScopedEnvironment> inMemory;
        if (::access("/dev/shm", W_OK) == 0) inMemory.emplace("TMPDIR", "/dev/shm");
        TempDir dir;
        const Totals expected = buildDeepTree(dir / "deep", depth);
        const std::optional<Totals> measured = measureUnderUsualLimits(dir / "deep");
        removeDeepTree(dir / "deep");
        ASSERT_TRUE(measured.has_value()) << depth << " levels: the measuring process crashed";
        EXPECT_EQ(measured->files, expected.files) << depth << " levels";
        EXPECT_EQ(measured->bytes, expected.bytes) << depth << " levels";
        EXPECT_FALSE(measured->approximate) << depth << " levels";
    }
}

TEST(DiskSizer, ParallelMapIsTheSharedOrderKeepingMap) {
    const auto doubled = DiskSizer::parallelMap(std::vector{1, 2, 3}, 2, [](int i) { return std::to_string(2 * i); });
    EXPECT_EQ(doubled, (std::vector<std::string>{"2", "4", "6"}));
}

} // namespace
} // namespace corvane
