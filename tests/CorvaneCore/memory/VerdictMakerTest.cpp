#include "memory/VerdictMaker.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;
constexpr std::uint64_t MiB = 1ULL << 20;

MemorySnapshot snapshot(PressureLevel level, std::uint64_t swap, std::uint64_t diskFree, std::uint64_t diskTotal = 500 * GiB) {
    MemorySnapshot s;
    s.level = level;
    s.swapUsedBytes = swap;
    s.diskFreeBytes = diskFree;
    s.diskTotalBytes = diskTotal;
    return s;
}

TEST(VerdictMaker, NormalWithoutLowDiskNeedsNothingEvenWithHeavySwap) {
    const Verdict v = VerdictMaker::make(snapshot(PressureLevel::normal, 20 * GiB, 100 * GiB));
    EXPECT_EQ(v.level, PressureLevel::normal);
    EXPECT_EQ(v.headline, "现在不卡，内存够用");
    EXPECT_EQ(v.advice, "放心用，暂时不需要做任何事。");
    EXPECT_EQ(v.action, Verdict::Action::none);
}

TEST(VerdictMaker, NormalWithLowDiskOffersFreeDisk) {
    const Verdict v = VerdictMaker::make(snapshot(PressureLevel::normal, 0, 5 * GiB));
    EXPECT_EQ(v.headline, "现在不卡，内存够用");
    EXPECT_EQ(v.advice, "磁盘只剩 5.0 GB，快满了会让电脑变卡，建议腾出空间。");
    EXPECT_EQ(v.action, Verdict::Action::freeDisk);
}

TEST(VerdictMaker, ElevatedMentionsSwapWhenDiskIsFine) {
    const Verdict v = VerdictMaker::make(snapshot(PressureLevel::elevated, 2 * GiB, 100 * GiB));
    EXPECT_EQ(v.headline, "内存偏紧，建议关掉暂时不用的软件");
    EXPECT_EQ(v.advice, "电脑正在把硬盘当内存用（2.0 GB），所以会慢。先关掉很久没用的软件，通常就能缓解。");
    EXPECT_EQ(v.action, Verdict::Action::optimize);
}

TEST(VerdictMaker, ElevatedLowDiskTakesPrecedenceOverSwap) {
    const Verdict v = VerdictMaker::make(snapshot(PressureLevel::elevated, 2 * GiB, 5 * GiB));
    EXPECT_EQ(v.advice, "磁盘只剩 5.0 GB，快满了会让电脑变卡，建议腾出空间；再关掉很久没用的软件。");
    EXPECT_EQ(v.action, Verdict::Action::freeDisk);
}

TEST(VerdictMaker, CriticalKeepsOptimizeAndAppendsDisk) {
    const Verdict v = VerdictMaker::make(snapshot(PressureLevel::critical, 0, 800 * MiB));
    EXPECT_EQ(v.headline, "内存不够了，卡顿很可能和它有关");
    EXPECT_EQ(v.advice, "现在先关掉占用最大、暂时不用的软件。另外磁盘只剩 800 MB，快满了会让电脑变卡，建议腾出空间。");
    EXPECT_EQ(v.action, Verdict::Action::optimize);
}

TEST(VerdictMaker, CriticalWithSwapAndLowDisk) {
    const Verdict v = VerdictMaker::make(snapshot(PressureLevel::critical, 3 * GiB, 2 * GiB));
    EXPECT_EQ(v.advice, "电脑正在把硬盘当内存用（3.0 GB），所以会慢。现在先关掉占用最大、暂时不用的软件。"
                        "另外磁盘只剩 2.0 GB，快满了会让电脑变卡，建议腾出空间。");
    EXPECT_EQ(v.action, Verdict::Action::optimize);
}

TEST(VerdictMaker, LowDiskBoundary) {
    EXPECT_EQ(VerdictMaker::make(snapshot(PressureLevel::normal, 0, VerdictMaker::lowDiskBytes)).action,
              Verdict::Action::none);
    EXPECT_EQ(VerdictMaker::make(snapshot(PressureLevel::normal, 0, VerdictMaker::lowDiskBytes - 1)).action,
              Verdict::Action::freeDisk);
    // Free 0 with a known total is low; no reading at all never is.
    EXPECT_EQ(VerdictMaker::make(snapshot(PressureLevel::normal, 0, 0, 100 * GiB)).action, Verdict::Action::freeDisk);
    EXPECT_EQ(VerdictMaker::make(snapshot(PressureLevel::normal, 0, 0, 0)).action, Verdict::Action::none);
    EXPECT_EQ(VerdictMaker::make(snapshot(PressureLevel::elevated, 0, 0, 0)).action, Verdict::Action::optimize);
}

TEST(VerdictMaker, SwapBoundary) {
    const Verdict at = VerdictMaker::make(snapshot(PressureLevel::critical, VerdictMaker::notableSwapBytes, 100 * GiB));
    EXPECT_EQ(at.advice, "电脑正在把硬盘当内存用（1.0 GB），所以会慢。现在先关掉占用最大、暂时不用的软件。");
    const Verdict below =
        VerdictMaker::make(snapshot(PressureLevel::critical, VerdictMaker::notableSwapBytes - 1, 100 * GiB));
    EXPECT_EQ(below.advice, "现在先关掉占用最大、暂时不用的软件。");
}

TEST(VerdictMaker, ActionRawValues) {
    EXPECT_EQ(rawValue(Verdict::Action::none), "none");
    EXPECT_EQ(rawValue(Verdict::Action::optimize), "optimize");
    EXPECT_EQ(rawValue(Verdict::Action::freeDisk), "freeDisk");
}

} // namespace
} // namespace corvane
