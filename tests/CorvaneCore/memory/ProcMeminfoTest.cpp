#include "memory/linux/ProcMeminfo.h"

#include "memory/MemoryMath.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Captured from a Debian 12 machine with zram swap; MemAvailable is below MemFree.
constexpr char availableBelowFree[] = "MemTotal:        8026308 kB\n"
                                      "MemFree:          412344 kB\n"
                                      "MemAvailable:     398112 kB\n"
                                      "Buffers:           10240 kB\n"
                                      "Cached:           201324 kB\n"
                                      "SwapCached:        12288 kB\n"
                                      "AnonPages:       6912000 kB\n"
                                      "Shmem:             81920 kB\n"
                                      "SwapTotal:       4194300 kB\n"
                                      "SwapFree:        1048572 kB\n"
                                      "Zswap:                 0 kB\n"
                                      "HugePages_Total:       0\n";

constexpr char typical[] = "MemTotal:       16303516 kB\n"
                           "MemFree:         6031236 kB\n"
                           "MemAvailable:   11760348 kB\n"
                           "Buffers:          412660 kB\n"
                           "Cached:          5432100 kB\n"
                           "AnonPages:       3720004 kB\n"
                           "Shmem:            301200 kB\n"
                           "SwapTotal:       2097148 kB\n"
                           "SwapFree:        2097148 kB\n"
                           "Zswap:             40960 kB\n";

constexpr std::uint64_t KiB = 1024;

TEST(ProcMeminfo, ParsesKeysInBytesAndSkipsOthers) {
    const MeminfoFields f = parseMeminfo(typical);
    EXPECT_EQ(f.memTotal, 16303516 * KiB);
    EXPECT_EQ(f.memAvailable, 11760348 * KiB);
    EXPECT_EQ(f.zswap, 40960 * KiB);
    EXPECT_EQ(f.swapFree, 2097148 * KiB);
}

TEST(ProcMeminfo, MalformedAndPrefixKeysAreIgnored) {
    const MeminfoFields f = parseMeminfo("MemTotalX: 5 kB\nMemTotal: abc kB\nno colon here\nShmem:\n"
                                         "SwapTotal:   12 kB");
    EXPECT_EQ(f.memTotal, std::nullopt);
    EXPECT_EQ(f.shmem, std::nullopt);
    EXPECT_EQ(f.swapTotal, 12 * KiB); // last line without newline
    EXPECT_EQ(parseMeminfo(""), MeminfoFields{});
}

TEST(ProcMeminfo, UsedIsTotalMinusAvailable) {
    const MeminfoFields f = parseMeminfo(typical);
    const auto r = memoryReading(f, 0, 4096);
    const auto s = MemoryMath::compute(r.counters, 4096, *f.memTotal, r.swapUsed, r.swapTotal, 0, 0,
                                       std::nullopt, Date{});
    EXPECT_EQ(s.usedBytes(), (16303516 - 11760348) * KiB);
    EXPECT_EQ(s.freeBytes, 6031236 * KiB);
    EXPECT_EQ(s.cachedBytes, (11760348 - 6031236) * KiB);
    EXPECT_EQ(s.appBytes, (3720004 + 301200) * KiB);
    EXPECT_EQ(s.compressedBytes, 40960 * KiB);
    EXPECT_EQ(s.wiredBytes, (16303516 - 11760348 - 3720004 - 301200 - 40960) * KiB);
    EXPECT_EQ(s.swapUsedBytes, 0U);
    EXPECT_EQ(s.swapTotalBytes, 2097148 * KiB);
    EXPECT_EQ(s.level, PressureLevel::normal);
}

TEST(ProcMeminfo, AvailableBelowFreeClampsFreeAndLeavesNoCache) {
    const MeminfoFields f = parseMeminfo(availableBelowFree);
    const auto r = memoryReading(f, 0, 4096);
    EXPECT_EQ(r.counters.freeCount * 4096, 398112 * KiB);
    EXPECT_EQ(r.counters.externalCount, 0U);
    EXPECT_EQ(r.swapUsed, (4194300 - 1048572) * KiB);
    const auto s = MemoryMath::compute(r.counters, 4096, *f.memTotal, r.swapUsed, r.swapTotal, 0, 0,
                                       std::nullopt, Date{});
    EXPECT_EQ(s.usedBytes(), (8026308 - 398112) * KiB);
    EXPECT_EQ(s.level, PressureLevel::critical); // 4.96 % available
}

TEST(ProcMeminfo, MissingAvailableIsEstimatedFromFreeCachedBuffers) {
    const MeminfoFields f = parseMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nCached: 200 kB\nBuffers: 50 kB\n");
    const auto r = memoryReading(f, 0, 1024);
    EXPECT_EQ(r.counters.freeCount, 100U);
    EXPECT_EQ(r.counters.externalCount, 250U);
}

TEST(ProcMeminfo, MissingKeysCountAsZero) {
    // Nothing is known to be available, so all of it counts as used, none of it as app memory.
    const auto r = memoryReading(parseMeminfo("MemTotal: 1000 kB\n"), 0, 1024);
    EXPECT_EQ(r.counters, (VMCounters{0, 0, 0, 0, 0, 1000, 0}));
    EXPECT_EQ(r.swapUsed, 0U);
    EXPECT_EQ(memoryReading(MeminfoFields{}, 0, 0).counters, VMCounters{}); // page size 0 does not divide by zero
}

TEST(ProcMeminfo, WiredFloorsAtZeroWhenAppAndCompressedExceedUsed) {
    const auto r = memoryReading(parseMeminfo("MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 600 kB\n"
                                              "AnonPages: 350 kB\nShmem: 100 kB\n"),
                                 1024 * 10, 1024);
    EXPECT_EQ(r.counters.wireCount, 0U);
    EXPECT_EQ(r.counters.internalCount, 450U);
}

TEST(ProcMeminfo, ZramAddsToCompressedAndReducesWired) {
    const MeminfoFields f = parseMeminfo(typical);
    const auto withoutZram = memoryReading(f, 0, 4096);
    const auto withZram = memoryReading(f, 4096 * 1000, 4096);
    EXPECT_EQ(withZram.counters.compressorCount, withoutZram.counters.compressorCount + 1000);
    EXPECT_EQ(withZram.counters.wireCount, withoutZram.counters.wireCount - 1000);
}

TEST(ProcMeminfo, ZramMemUsedTotalIsThirdField) {
    EXPECT_EQ(zramMemUsedTotal("  3145728   1048576   1212416        0  1212416      123        0        0        0\n"),
              1212416U);
    EXPECT_EQ(zramMemUsedTotal("1 2\n"), 0U);
    EXPECT_EQ(zramMemUsedTotal(""), 0U);
}

} // namespace
} // namespace corvane
