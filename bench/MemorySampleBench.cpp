// One memory sample, against the floor (a raw pread of /proc/meminfo and /proc/pressure/memory
// through descriptors kept open, no parsing) and against procps' libproc2 reading meminfo.
// Report the ratios Corvane/floor and Corvane/libproc2 from the same run.
#include "memory/SystemMemoryProvider.h"
#include "support/FileRead.h"

#include <benchmark/benchmark.h>
#include <libproc2/meminfo.h>

#include <array>
#include <fcntl.h>
#include <unistd.h>

namespace {

void CorvaneSample(benchmark::State& state) {
    corvane::SystemMemoryProvider provider;
    provider.memorySnapshot(); // fills the disk cache, as every sample after the first finds it
    for (auto _ : state) {
        benchmark::DoNotOptimize(provider.memorySnapshot());
    }
}
BENCHMARK(CorvaneSample);

void RawReadFloor(benchmark::State& state) {
    const corvane::UniqueFd meminfo = corvane::openForReading("/proc/meminfo");
    const corvane::UniqueFd pressure = corvane::openForReading("/proc/pressure/memory");
    std::array<char, 8192> buffer{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(::pread(meminfo.get(), buffer.data(), buffer.size(), 0));
        if (pressure) benchmark::DoNotOptimize(::pread(pressure.get(), buffer.data(), buffer.size(), 0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RawReadFloor);

void Libproc2Meminfo(benchmark::State& state) {
    meminfo_info* info = nullptr;
    if (procps_meminfo_new(&info) < 0) {
        state.SkipWithError("procps_meminfo_new failed");
        return;
    }
    // The same fields Corvane derives its figures from. `select` re-reads the file every call
    // (`get` would serve a copy cached for up to a second).
    std::array<meminfo_item, 9> items{MEMINFO_MEM_TOTAL,  MEMINFO_MEM_FREE,  MEMINFO_MEM_AVAILABLE,
                                      MEMINFO_MEM_BUFFERS, MEMINFO_MEM_CACHED, MEMINFO_MEM_ANON,
                                      MEMINFO_MEM_SHARED, MEMINFO_SWAP_TOTAL, MEMINFO_SWAP_FREE};
    for (auto _ : state) {
        meminfo_stack* stack = procps_meminfo_select(info, items.data(), static_cast<int>(items.size()));
        benchmark::DoNotOptimize(stack);
        if (stack != nullptr) benchmark::DoNotOptimize(stack->head[0].result.ul_int);
    }
    procps_meminfo_unref(&info);
}
BENCHMARK(Libproc2Meminfo);

} // namespace

BENCHMARK_MAIN();
