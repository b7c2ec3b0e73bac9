// The application list over this machine's processes: `topAppGroups(30)` against the floor (a raw
// read of the same /proc files, no parsing: every /proc entry, its exe link and its status file;
// and, as the upper floor, also every readable process's cgroup file, which the identity lookup of
// the kept groups reads for at most every member) and against procps' libproc2 reading the same
// fields (pid, exe, RssAnon, RssShmem, VmSwap). Report the ratios Corvane/floor and
// Corvane/libproc2 from the same run.
#include "Libproc2Reap.h"
#include "apps/SystemAppScanner.h"
#include "support/UniqueDir.h"
#include "support/UniqueFd.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdio>

namespace {

void CorvaneTopAppGroups(benchmark::State& state) {
    corvane::SystemAppScanner scanner;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scanner.topAppGroups(30));
    }
}
BENCHMARK(CorvaneTopAppGroups)->Unit(benchmark::kMicrosecond);

/// Reads every process's exe link and status file, and with `withCgroups` its cgroup file too.
void rawProcRead(benchmark::State& state, bool withCgroups) {
    std::array<char, 4096> exe{};
    std::array<char, 4096> text{};
    std::array<char, 300> relative{};
    const auto readFile = [&](int dirFd, const char* pid, const char* name) {
        std::snprintf(relative.data(), relative.size(), "%s/%s", pid, name);
        const corvane::UniqueFd fd(::openat(dirFd, relative.data(), O_RDONLY | O_CLOEXEC));
        benchmark::DoNotOptimize(::pread(fd.get(), text.data(), text.size(), 0));
    };
    for (auto _ : state) {
        const corvane::UniqueDir dir = corvane::openDirectory("/proc");
        const int dirFd = ::dirfd(dir.get());
        while (const dirent* entry = ::readdir(dir.get())) {
            if (std::isdigit(static_cast<unsigned char>(entry->d_name[0])) == 0) continue;
            std::snprintf(relative.data(), relative.size(), "%s/exe", entry->d_name);
            if (::readlinkat(dirFd, relative.data(), exe.data(), exe.size()) <= 0) continue;
            readFile(dirFd, entry->d_name, "status");
            if (withCgroups) readFile(dirFd, entry->d_name, "cgroup");
        }
        benchmark::ClobberMemory();
    }
}

void RawProcFloor(benchmark::State& state) {
    rawProcRead(state, false);
}
BENCHMARK(RawProcFloor)->Unit(benchmark::kMicrosecond);

void RawProcFloorWithCgroups(benchmark::State& state) {
    rawProcRead(state, true);
}
BENCHMARK(RawProcFloorWithCgroups)->Unit(benchmark::kMicrosecond);

void Libproc2Pids(benchmark::State& state) {
    std::array<pids_item, 5> items{PIDS_ID_PID, PIDS_EXE, PIDS_VM_RSS_ANON, PIDS_VM_RSS_SHARED, PIDS_VM_SWAP};
    corvane::bench::reapWithLibproc2(state, items);
}
BENCHMARK(Libproc2Pids)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
