#include "memory/FormatBytes.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;
constexpr std::uint64_t MiB = 1ULL << 20;

TEST(FormatBytes, UnitBoundariesAndRounding) {
    EXPECT_EQ(formatBytes(10 * GiB), "10 GB");
    EXPECT_EQ(formatBytes(static_cast<std::uint64_t>(9.96 * static_cast<double>(GiB))), "10.0 GB");
    EXPECT_EQ(formatBytes(static_cast<std::uint64_t>(12.4 * static_cast<double>(GiB))), "12 GB");
    EXPECT_EQ(formatBytes(static_cast<std::uint64_t>(1.5 * static_cast<double>(GiB))), "1.5 GB");
    EXPECT_EQ(formatBytes(GiB), "1.0 GB");
    EXPECT_EQ(formatBytes(GiB - 1), "1024 MB");
    EXPECT_EQ(formatBytes(300 * MiB), "300 MB");
    EXPECT_EQ(formatBytes(0), "0 MB");
    EXPECT_EQ(formatBytes(15 * GiB), "15 GB");
}

TEST(FormatBytes, LargestCountStillFormats) {
    EXPECT_EQ(formatBytes(UINT64_MAX), "17179869184 GB");
}

} // namespace
} // namespace corvane
