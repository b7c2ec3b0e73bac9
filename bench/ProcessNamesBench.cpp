// The process-name scan every AI poll makes (first and repeated), against the floor (every
// process's command name read through a descriptor of its /proc folder: the least any lookup by
// name must read) and against procps' libproc2 reaping the same fields (command name, command
// line, executable). Each runs over this machine's processes plus `extra` sleeping children, so a
// quiet container can stand in for a desktop session's few hundred processes. Report the ratios
// Corvane/floor and Corvane/libproc2 from the same run.
#include "Libproc2Reap.h"
#include "apps/ProcessNameCache.h"
#include "apps/ProcessScanner.h"
#include "support/UniqueDir.h"
#include "support/UniqueFd.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <vector>

namespace {

/// `count` children sleeping until the benchmark ends; they are killed and reaped on destruction.
class SleepingChildren {
public:
    explicit SleepingChildren(int count) {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::execlp("sleep", "sleep", "600", static_cast<char*>(nullptr));
                ::_exit(127);
            }
            if (pid > 0) pids_.push_back(pid);
        }
    }
    ~SleepingChildren() {
        for (const pid_t pid : pids_) ::kill(pid, SIGKILL);
        for (const pid_t pid : pids_) ::waitpid(pid, nullptr, 0);
    }
    SleepingChildren(const SleepingChildren&) = delete;
    SleepingChildren& operator=(const SleepingChildren&) = delete;

private:
    std::vector<pid_t> pids_;
};

/// A scan with nothing known: every process read whole.
void CorvaneFirstScan(benchmark::State& state) {
    const SleepingChildren children(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(corvane::ProcessScanner::runningProcessNames());
}
BENCHMARK(CorvaneFirstScan)->Arg(0)->Arg(300)->Unit(benchmark::kMicrosecond);

/// A poll after the last: processes already known are only identified again.
void CorvaneRepeatScan(benchmark::State& state) {
    const SleepingChildren children(static_cast<int>(state.range(0)));
    corvane::ProcessNameCache cache;
    benchmark::DoNotOptimize(cache.runningNames());
    for (auto _ : state) benchmark::DoNotOptimize(cache.runningNames());
}
BENCHMARK(CorvaneRepeatScan)->Arg(0)->Arg(300)->Unit(benchmark::kMicrosecond);

void CommFloor(benchmark::State& state) {
    const SleepingChildren children(static_cast<int>(state.range(0)));
    std::array<char, 64> comm{};
    for (auto _ : state) {
        const corvane::UniqueDir dir = corvane::openDirectory("/proc");
        const int procFd = ::dirfd(dir.get());
        while (const dirent* entry = ::readdir(dir.get())) {
            if (std::isdigit(static_cast<unsigned char>(entry->d_name[0])) == 0) continue;
            const corvane::UniqueFd process(::openat(procFd, entry->d_name, O_PATH | O_DIRECTORY | O_CLOEXEC));
            const corvane::UniqueFd fd(::openat(process.get(), "comm", O_RDONLY | O_CLOEXEC));
            benchmark::DoNotOptimize(::pread(fd.get(), comm.data(), comm.size(), 0));
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CommFloor)->Arg(0)->Arg(300)->Unit(benchmark::kMicrosecond);

void Libproc2Names(benchmark::State& state) {
    const SleepingChildren children(static_cast<int>(state.range(0)));
    std::array<pids_item, 3> items{PIDS_CMD, PIDS_CMDLINE_V, PIDS_EXE};
    corvane::bench::reapWithLibproc2(state, items);
}
BENCHMARK(Libproc2Names)->Arg(0)->Arg(300)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
