#include "memory/SystemMemoryProvider.h"

#include "memory/linux/ProcMeminfo.h"
#include "support/DeferredExecutor.h"
#include "support/FileRead.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace corvane {
namespace {

using test::DeferredExecutor;
using test::ManualClock;
using test::TempDir;

constexpr char meminfo[] = "MemTotal:       16303516 kB\n"
                           "MemFree:         6031236 kB\n"
                           "MemAvailable:   11760348 kB\n"
                           "AnonPages:       3720004 kB\n"
                           "Shmem:            301200 kB\n"
                           "SwapTotal:       2097148 kB\n"
                           "SwapFree:        1048572 kB\n";

SystemMemoryProvider::Options fixtureOptions(const TempDir& root, const ManualClock& clock) {
    SystemMemoryProvider::Options options;
    options.root = root.path();
    options.home = root.path();
    options.background = std::make_shared<DeferredExecutor>();
    options.clock = clock.clock();
    return options;
}

TEST(SystemMemoryProvider, SamplesCapturedFiles) {
    TempDir root;
    root.write("proc/meminfo", meminfo);
    root.write("proc/pressure/memory", "some avg10=12.00 avg60=0 avg300=0 total=1\nfull avg10=0.00 avg60=0 avg300=0 total=0\n");
    root.write("sys/block/zram0/mm_stat", "100 200 8192 0 8192 0 0 0 0\n");
    root.write("sys/block/zram1/mm_stat", "100 200 4096 0 4096 0 0 0 0\n");
    root.write("sys/block/zram1/disksize", "4294967296\n");
    root.write("sys/block/zram2/mm_stat", "100 200 999999 0 999999 0 0 0 0\n");
    root.write("sys/block/zram2/disksize", "0\n"); // not set up: holds nothing, not read
    root.write("sys/block/loop0/mm_stat", "100 200 777777 0 0 0 0 0 0\n");
    ManualClock clock;
    SystemMemoryProvider provider(fixtureOptions(root, clock));

    const MemorySnapshot s = provider.memorySnapshot();
    EXPECT_EQ(s.totalBytes, 16303516ULL * 1024);
    EXPECT_EQ(s.usedBytes(), (16303516ULL - 11760348) * 1024);
    EXPECT_EQ(s.compressedBytes, 12288U);
    EXPECT_EQ(s.swapUsedBytes, (2097148ULL - 1048572) * 1024);
    EXPECT_EQ(s.level, PressureLevel::elevated); // from the kernel, not inferred
    EXPECT_GT(s.diskTotalBytes, 0U);
    EXPECT_EQ(s.timestamp, clock.now());
}

TEST(SystemMemoryProvider, RereadsTheOpenFilesOnEverySample) {
    TempDir root;
    const std::string path = root.write("proc/meminfo", meminfo);
    ManualClock clock;
    SystemMemoryProvider provider(fixtureOptions(root, clock));
    const auto before = provider.memorySnapshot();
    // Rewrite in place (same inode) as the kernel's files behave.
    {
        const UniqueFd fd(::open(path.c_str(), O_WRONLY | O_TRUNC));
        const std::string text = "MemTotal: 16303516 kB\nMemFree: 1000 kB\nMemAvailable: 1000 kB\n";
        ASSERT_EQ(::write(fd.get(), text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    const auto after = provider.memorySnapshot();
    EXPECT_LT(before.usedBytes(), after.usedBytes());
    EXPECT_EQ(after.level, PressureLevel::critical); // no PSI file: inferred
}

TEST(SystemMemoryProvider, MissingFilesDegradeToZeros) {
    TempDir root;
    ManualClock clock;
    SystemMemoryProvider provider(fixtureOptions(root, clock));
    EXPECT_EQ(provider.totalBytes(), 0U);
    const auto s = provider.memorySnapshot();
    EXPECT_EQ(s.totalBytes, 0U);
    EXPECT_EQ(s.appBytes, 0U);
    EXPECT_EQ(s.swapTotalBytes, 0U);
    EXPECT_EQ(s.level, PressureLevel::normal);
    EXPECT_EQ(s.usedFraction(), 0.0);
    EXPECT_TRUE(provider.topAppGroups(30).empty()) << "no scanner, no applications";
}

TEST(SystemMemoryProvider, UnreadableHomeGivesZeroDisk) {
    TempDir root;
    root.write("proc/meminfo", meminfo);
    ManualClock clock;
    auto options = fixtureOptions(root, clock);
    options.home = root.path() + "/does/not/exist";
    SystemMemoryProvider provider(options);
    EXPECT_EQ(provider.readDisk(), DiskSpace{});
}

// Integration: the live machine. Used bytes must match MemTotal − MemAvailable read at the
// same moment within 1 %.
TEST(SystemMemoryProviderLive, UsedMatchesTotalMinusAvailable) {
    SystemMemoryProvider provider;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto fieldsBefore = parseMeminfo(readWholeFile("/proc/meminfo").value_or(""));
        const MemorySnapshot s = provider.memorySnapshot();
        const auto fieldsAfter = parseMeminfo(readWholeFile("/proc/meminfo").value_or(""));
        ASSERT_TRUE(fieldsBefore.memAvailable && fieldsAfter.memAvailable);
        const double expected =
            static_cast<double>(*fieldsBefore.memTotal) -
            (static_cast<double>(*fieldsBefore.memAvailable) + static_cast<double>(*fieldsAfter.memAvailable)) / 2;
        const double used = static_cast<double>(s.usedBytes());
        if (std::abs(used - expected) <= 0.01 * expected) return;
    }
    FAIL() << "used bytes differ from MemTotal - MemAvailable by more than 1 %";
}

} // namespace
} // namespace corvane
