#include "memory/VerdictMaker.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;
constexpr std::uint64_t MiB = 1ULL << 20;
constexpr std::uint64_t lowDisk = VerdictMaker::lowDiskBytes;
constexpr std::uint64_t notableSwap = VerdictMaker::notableSwapBytes;
constexpr char calm[] = "现在不卡，内存够用";
constexpr char tight[] = "内存偏紧，建议关掉暂时不用的软件";
constexpr char exhausted[] = "内存不够了，卡顿很可能和它有关";
constexpr char closeIdle[] = "先关掉很久没用的软件，通常就能缓解。";
constexpr char closeLargest[] = "现在先关掉占用最大、暂时不用的软件。";

struct VerdictCase {
    const char* rule;
    PressureLevel level;
    std::uint64_t swap, diskFree, diskTotal;
    const char* headline;
    std::string advice;
    Verdict::Action action;
};

class VerdictMakerTable : public testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictMakerTable, HeadlineAdviceAndActionFollowLevelSwapAndDisk) {
    const VerdictCase& c = GetParam();
    MemorySnapshot s;
    s.level = c.level;
    s.swapUsedBytes = c.swap;
    s.diskFreeBytes = c.diskFree;
    s.diskTotalBytes = c.diskTotal;
    const Verdict v = VerdictMaker::make(s);
    EXPECT_EQ(v, (Verdict{c.level, c.headline, c.advice, c.action})) << c.rule << ": " << v.advice;
}

using enum PressureLevel;
using Action = Verdict::Action;
INSTANTIATE_TEST_SUITE_P(Rules, VerdictMakerTable, testing::Values(
    VerdictCase{"normal needs nothing even with heavy swap", normal, 20 * GiB, 100 * GiB, 500 * GiB, calm,
                "放心用，暂时不需要做任何事。", Action::none},
    VerdictCase{"normal with low disk offers freeing disk", normal, 0, 5 * GiB, 500 * GiB, calm,
                "磁盘只剩 5.0 GB，快满了会让电脑变卡，建议腾出空间。", Action::freeDisk},
    VerdictCase{"elevated mentions swap when disk is fine", elevated, 2 * GiB, 100 * GiB, 500 * GiB, tight,
                std::string("电脑正在把硬盘当内存用（2.0 GB），所以会慢。") + closeIdle, Action::optimize},
    VerdictCase{"elevated low disk takes precedence over swap", elevated, 2 * GiB, 5 * GiB, 500 * GiB, tight,
                "磁盘只剩 5.0 GB，快满了会让电脑变卡，建议腾出空间；再关掉很久没用的软件。", Action::freeDisk},
    VerdictCase{"critical keeps optimize and appends disk", critical, 0, 800 * MiB, 500 * GiB, exhausted,
                std::string(closeLargest) + "另外磁盘只剩 800 MB，快满了会让电脑变卡，建议腾出空间。", Action::optimize},
    VerdictCase{"critical with swap and low disk", critical, 3 * GiB, 2 * GiB, 500 * GiB, exhausted,
                std::string("电脑正在把硬盘当内存用（3.0 GB），所以会慢。") + closeLargest +
                    "另外磁盘只剩 2.0 GB，快满了会让电脑变卡，建议腾出空间。", Action::optimize},
    VerdictCase{"free disk at the threshold is not low", normal, 0, lowDisk, 500 * GiB, calm,
                "放心用，暂时不需要做任何事。", Action::none},
    VerdictCase{"free disk below the threshold is low", normal, 0, lowDisk - 1, 500 * GiB, calm,
                "磁盘只剩 15 GB，快满了会让电脑变卡，建议腾出空间。", Action::freeDisk},
    VerdictCase{"no free disk with a known total is low", normal, 0, 0, 100 * GiB, calm,
                "磁盘只剩 0 MB，快满了会让电脑变卡，建议腾出空间。", Action::freeDisk},
    VerdictCase{"no disk reading is never low", normal, 0, 0, 0, calm, "放心用，暂时不需要做任何事。", Action::none},
    VerdictCase{"no disk reading is never low when tight", elevated, 0, 0, 0, tight, closeIdle, Action::optimize},
    VerdictCase{"swap at the threshold is mentioned", critical, notableSwap, 100 * GiB, 500 * GiB, exhausted,
                std::string("电脑正在把硬盘当内存用（1.0 GB），所以会慢。") + closeLargest, Action::optimize},
    VerdictCase{"swap below the threshold is not", critical, notableSwap - 1, 100 * GiB, 500 * GiB, exhausted,
                closeLargest, Action::optimize}));

TEST(VerdictMaker, ActionRawValues) {
    EXPECT_EQ(rawValue(Verdict::Action::none), "none");
    EXPECT_EQ(rawValue(Verdict::Action::optimize), "optimize");
    EXPECT_EQ(rawValue(Verdict::Action::freeDisk), "freeDisk");
}

} // namespace
} // namespace corvane
