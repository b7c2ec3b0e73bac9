#pragma once

#include <benchmark/benchmark.h>
#include <libproc2/pids.h>

#include <span>

namespace corvane::bench {

/// The peer measurement: procps' libproc2 reaping `items` of every process once per iteration.
inline void reapWithLibproc2(benchmark::State& state, std::span<pids_item> items) {
    pids_info* info = nullptr;
    if (procps_pids_new(&info, items.data(), static_cast<int>(items.size())) < 0) {
        state.SkipWithError("procps_pids_new failed");
        return;
    }
    for (auto _ : state) {
        pids_fetch* fetched = procps_pids_reap(info, PIDS_FETCH_TASKS_ONLY);
        benchmark::DoNotOptimize(fetched);
        if (fetched != nullptr) benchmark::DoNotOptimize(fetched->counts->total);
    }
    procps_pids_unref(&info);
}

} // namespace corvane::bench
