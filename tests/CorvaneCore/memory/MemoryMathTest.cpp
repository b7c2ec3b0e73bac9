#include "memory/MemoryMath.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;
const Date someDate = dateFromUnixSeconds(1'700'000'000);

TEST(MemoryMath, PageCountsBecomeBytes) {
    const VMCounters c{1000, 200, 5000, 800, 300, 700, 400};
    const auto s = MemoryMath::compute(c, 16384, 64 * GiB, 1, 2, 3, 4, PressureLevel::elevated, someDate);
    EXPECT_EQ(s.appBytes, 4700ULL * 16384);
    EXPECT_EQ(s.wiredBytes, 700ULL * 16384);
    EXPECT_EQ(s.compressedBytes, 400ULL * 16384);
    EXPECT_EQ(s.cachedBytes, 1100ULL * 16384);
    EXPECT_EQ(s.freeBytes, 800ULL * 16384);
    EXPECT_EQ(s.totalBytes, 64 * GiB);
    EXPECT_EQ(s.swapUsedBytes, 1U);
    EXPECT_EQ(s.swapTotalBytes, 2U);
    EXPECT_EQ(s.diskFreeBytes, 3U);
    EXPECT_EQ(s.diskTotalBytes, 4U);
    EXPECT_EQ(s.level, PressureLevel::elevated);
    EXPECT_EQ(s.timestamp, someDate);
}

TEST(MemoryMath, SubtractionsFloorAtZero) {
    const VMCounters c{100, 200, 300, 0, 400, 0, 0};
    const auto s = MemoryMath::compute(c, 4096, GiB, 0, 0, 0, 0, PressureLevel::normal, someDate);
    EXPECT_EQ(s.freeBytes, 0U);
    EXPECT_EQ(s.appBytes, 0U);
    EXPECT_EQ(s.cachedBytes, 400ULL * 4096);
}

TEST(MemoryMath, MissingKernelLevelIsInferredFromComputedFigures) {
    // free 0.5 GiB + cached 0.2 GiB of 16 GiB is below 5 %.
    const std::uint64_t page = 4096;
    const VMCounters c{(GiB / 2) / page, 0, 0, (GiB / 5) / page, 0, 0, 0};
    const auto s = MemoryMath::compute(c, page, 16 * GiB, 0, 0, 0, 0, std::nullopt, someDate);
    EXPECT_EQ(s.level, PressureLevel::critical);
    // All-zero counters with memory present: nothing is available.
    EXPECT_EQ(MemoryMath::compute(VMCounters{}, 4096, 8 * GiB, 0, 0, 0, 0, std::nullopt, someDate).level,
              PressureLevel::critical);
}

struct InferCase {
    std::uint64_t available; // free + cached, in units of 1/1600 of the total
    std::uint64_t swap;
    PressureLevel expected;
};

class InferLevel : public ::testing::TestWithParam<InferCase> {};

TEST_P(InferLevel, Thresholds) {
    // Units of 16 MiB keep every ratio exact: the total is 1600 units (25 GiB).
    constexpr std::uint64_t unit = 1ULL << 24;
    const auto [available, swap, expected] = GetParam();
    const std::uint64_t free = available / 2;
    EXPECT_EQ(MemoryMath::inferLevel(1600 * unit, free * unit, (available - free) * unit, swap * unit), expected);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, InferLevel,
                         ::testing::Values(InferCase{70, 0, PressureLevel::critical},
                                           InferCase{79, 0, PressureLevel::critical},
                                           InferCase{80, 0, PressureLevel::elevated}, // exactly 5 % is not critical
                                           InferCase{160, 0, PressureLevel::elevated},
                                           InferCase{191, 0, PressureLevel::elevated},
                                           InferCase{192, 0, PressureLevel::normal}, // exactly 12 %
                                           InferCase{300, 400, PressureLevel::elevated}, // swap exactly 25 %
                                           InferCase{300, 399, PressureLevel::normal},
                                           InferCase{399, 1600, PressureLevel::elevated},
                                           InferCase{400, 1600, PressureLevel::normal})); // exactly 25 % available

TEST(MemoryMath, ZeroTotalIsNormal) {
    EXPECT_EQ(MemoryMath::inferLevel(0, 0, 0, 123), PressureLevel::normal);
}

TEST(MemoryMath, KernelValueMapping) {
    EXPECT_EQ(MemoryMath::level(-5), PressureLevel::normal);
    EXPECT_EQ(MemoryMath::level(0), PressureLevel::normal);
    EXPECT_EQ(MemoryMath::level(1), PressureLevel::normal);
    EXPECT_EQ(MemoryMath::level(2), PressureLevel::elevated);
    EXPECT_EQ(MemoryMath::level(3), PressureLevel::elevated);
    EXPECT_EQ(MemoryMath::level(4), PressureLevel::critical);
    EXPECT_EQ(MemoryMath::level(99), PressureLevel::critical);
}

/// Used memory is the total less free and cached memory, never below zero, even when the sum wraps.
TEST(MemorySnapshot, UsedFigures) {
    const struct {
        std::uint64_t total, cached, free, used;
        double fraction;
        int percent;
    } table[] = {
        {16 * GiB, 4 * GiB, 2 * GiB, 10 * GiB, 0.625, 63}, // 62.5 rounds half away from zero
        {8 * GiB, 6 * GiB, 3 * GiB, 0, 0, 0},
        {8 * GiB, UINT64_MAX, 2, 0, 0, 0},
        {0, 0, 0, 0, 0, 0},
    };
    for (const auto& row : table) {
        MemorySnapshot s;
        s.totalBytes = row.total;
        s.cachedBytes = row.cached;
        s.freeBytes = row.free;
        EXPECT_EQ(s.usedBytes(), row.used) << row.total << " " << row.cached << " " << row.free;
        EXPECT_DOUBLE_EQ(s.usedFraction(), row.fraction) << row.total << " " << row.cached << " " << row.free;
        EXPECT_EQ(usedPercent(s), row.percent) << row.total << " " << row.cached << " " << row.free;
    }
}

TEST(PressureLevel, RawValuesRoundTripAndRejectOthers) {
    for (auto level : {PressureLevel::normal, PressureLevel::elevated, PressureLevel::critical}) {
        EXPECT_EQ(pressureLevelFromRaw(rawValue(level)), level);
    }
    EXPECT_EQ(pressureLevelFromRaw("Normal"), std::nullopt);
    EXPECT_EQ(pressureLevelFromRaw(""), std::nullopt);
    EXPECT_LT(PressureLevel::normal, PressureLevel::elevated);
    EXPECT_LT(PressureLevel::elevated, PressureLevel::critical);
}

} // namespace
} // namespace corvane
