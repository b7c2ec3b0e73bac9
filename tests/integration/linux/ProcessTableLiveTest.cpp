// Against the live machine: the test's own child processes in /proc.
#include "apps/ProcessTree.h"
#include "apps/linux/ProcessTable.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <vector>

namespace corvane {
namespace {

/// Forks a child that touches `megabytes` of anonymous memory, reports readiness and waits.
pid_t childHolding(std::size_t megabytes) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        const std::size_t bytes = megabytes << 20;
        auto* block = static_cast<char*>(::malloc(bytes));
        if (block != nullptr) std::memset(block, 1, bytes);
        const char ok = 'k';
        [[maybe_unused]] const auto written = ::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char got = 0;
    [[maybe_unused]] const auto read = ::read(ready[0], &got, 1);
    ::close(ready[0]);
    return pid;
}

TEST(ProcessTableLive, FindsOwnChildrenWithFootprintOrderAndLineage) {
    const std::vector<pid_t> children{childHolding(16), childHolding(64), childHolding(32)};
    std::map<std::int32_t, std::uint64_t> footprints;
    std::string ownExecutable;
    std::map<std::int32_t, std::int32_t> parents;
    forEachProcess("/proc", [&](const ProcessEntry& process) {
        footprints[process.pid] = process.footprintBytes;
        parents[process.pid] = process.parent.value_or(0);
        if (process.pid == ::getpid()) ownExecutable = process.executablePath;
    });
    for (const pid_t child : children) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }

    ASSERT_EQ(footprints.count(children[0]) + footprints.count(children[1]) + footprints.count(children[2]), 3u);
    EXPECT_FALSE(ownExecutable.empty());
    const std::uint64_t small = footprints[children[0]], large = footprints[children[1]], middle = footprints[children[2]];
    EXPECT_GT(large, middle);
    EXPECT_GT(middle, small);
    EXPECT_GE(large - small, 40ull << 20) << "48 MiB more touched memory";
    for (const pid_t child : children) EXPECT_EQ(parents[child], ::getpid());
}

TEST(ProcessTableLive, LineageOfOwnChildPointsAtThisProcess) {
    const pid_t child = childHolding(1);
    const auto lineage = SystemProcessTree().lineage(child);
    const auto own = SystemProcessTree().lineage(::getpid());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(lineage);
    ASSERT_TRUE(own);
    EXPECT_EQ(lineage->parent, ::getpid());
    EXPECT_EQ(lineage->processGroup, own->processGroup);
    EXPECT_EQ(lineage->tty, own->tty);
    EXPECT_FALSE(SystemProcessTree().lineage(child)) << "reaped";
}

} // namespace
} // namespace corvane
