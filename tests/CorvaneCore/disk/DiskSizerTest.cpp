#include "disk/DiskSizer.h"

#include "support/ShellCommand.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

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

TEST(DiskSizer, UnreadableSubfolderIsSkippedWithoutApproximation) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    TempDir dir;
    dir.allocate("tree/a", 4096);
    dir.unreadableFolder("tree/locked");
    const DiskMeasure measure = DiskSizer::measure(dir / "tree", 10);
    EXPECT_FALSE(measure.approximate);
    EXPECT_EQ(measure.files, 3) << "tree, a and the locked folder itself, nothing inside it";
}

TEST(DiskSizer, ParallelMapKeepsItemOrderWithAnyWorkerCount) {
    std::vector<int> items(40);
    for (int i = 0; i < 40; ++i) items[static_cast<std::size_t>(i)] = i;
    for (int workers : {0, 1, 6, 100}) {
        const auto results = DiskSizer::parallelMap(items, workers, [](int i) {
            std::this_thread::yield();
            return std::to_string(i * 2);
        });
        ASSERT_EQ(results.size(), items.size());
        for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(results[i], std::to_string(items[i] * 2));
    }
    EXPECT_TRUE(DiskSizer::parallelMap(std::vector<int>{}, 6, [](int i) { return i; }).empty());
}

} // namespace
} // namespace corvane
