// Directory sizing against GNU du and gdu on the same generated trees, in one run.
//   SizerOneTree / DuOneTree: the six trees as one folder (about 200,000 entries), single-threaded
//     Corvane against `du -s -l -B1`; both must report the same byte total.
//   SizerSixPaths / DuSixPaths / GduSixPaths: the six trees measured as six paths, Corvane with
//     six workers against one `du -s -l -B1` over the six paths and one `gdu` over their parent.
//   BudgetStop: a walk of the whole folder given a 20 ms budget; `overshoot_ms` is how long it
//     ran past the budget.
// The trees are built once under /tmp/corvane-disk-bench (never in the repository); the first
// iteration warms the cache. Compare entries per second of the pairs from the same run.
#include "disk/DiskSizer.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* root = "/tmp/corvane-disk-bench";
constexpr int treeCount = 6;
constexpr int foldersPerTree = 10;
constexpr int subfoldersPerFolder = 10;
constexpr int filesPerSubfolder = 333;

std::string treePath(int tree) {
    return std::string(root) + "/tree-" + std::to_string(tree);
}

/// Builds the trees unless a previous run left them complete; returns the number of entries
/// below and including the root (the six trees and the completion marker).
std::int64_t ensureTrees() {
    const std::string marker = std::string(root) + "/.complete";
    const std::int64_t perTree =
        1 + foldersPerTree * (1 + subfoldersPerFolder * (1 + static_cast<std::int64_t>(filesPerSubfolder)));
    const std::int64_t entries = perTree * treeCount + 2;
    if (fs::exists(marker)) return entries;
    fs::remove_all(root);
    const std::string content(700, 'x');
    for (int t = 0; t < treeCount; ++t) {
        for (int f = 0; f < foldersPerTree; ++f) {
            for (int s = 0; s < subfoldersPerFolder; ++s) {
                const std::string folder =
                    treePath(t) + "/d" + std::to_string(f) + "/s" + std::to_string(s);
                fs::create_directories(folder);
                for (int i = 0; i < filesPerSubfolder; ++i) {
                    const std::string file = folder + "/file-" + std::to_string(i);
                    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                    // Every seventh file holds data, the rest are empty, as in real caches.
                    if (i % 7 == 0 && ::write(fd, content.data(), content.size()) < 0) std::perror("write");
                    ::close(fd);
                }
            }
        }
    }
    ::close(::open(marker.c_str(), O_WRONLY | O_CREAT, 0644));
    return entries;
}

std::uint64_t runTotal(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    unsigned long long total = 0;
    unsigned long long bytes = 0;
    char rest[4096];
    while (std::fscanf(pipe, "%llu%4095[^\n]", &bytes, rest) >= 1) total += bytes;
    ::pclose(pipe);
    return total;
}

std::string sixPaths() {
    std::string paths;
    for (int t = 0; t < treeCount; ++t) paths += " '" + treePath(t) + "'";
    return paths;
}

void SizerOneTree(benchmark::State& state) {
    const std::int64_t entries = ensureTrees();
    const std::uint64_t du = runTotal(std::string("du -s -l -B1 '") + root + "'");
    for (auto _ : state) {
        const corvane::DiskMeasure measure = corvane::DiskSizer::measure(root, 1e9);
        if (measure.bytes != du) state.SkipWithError("byte total differs from du");
        benchmark::DoNotOptimize(measure);
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(SizerOneTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void DuOneTree(benchmark::State& state) {
    const std::int64_t entries = ensureTrees();
    for (auto _ : state) benchmark::DoNotOptimize(runTotal(std::string("du -s -l -B1 '") + root + "'"));
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(DuOneTree)->Unit(benchmark::kMillisecond)->UseRealTime();

void SizerSixPaths(benchmark::State& state) {
    const std::int64_t entries = ensureTrees();
    std::vector<std::string> paths;
    for (int t = 0; t < treeCount; ++t) paths.push_back(treePath(t));
    const std::uint64_t du = runTotal("du -s -l -B1" + sixPaths());
    for (auto _ : state) {
        const auto measures = corvane::DiskSizer::parallelMap(
            paths, 6, [](const std::string& path) { return corvane::DiskSizer::measure(path, 1e9); });
        std::uint64_t total = 0;
        for (const auto& measure : measures) total += measure.bytes;
        if (total != du) state.SkipWithError("byte total differs from du");
    }
    state.SetItemsProcessed(state.iterations() * (entries - 2));
}
BENCHMARK(SizerSixPaths)->Unit(benchmark::kMillisecond)->UseRealTime();

void DuSixPaths(benchmark::State& state) {
    const std::int64_t entries = ensureTrees();
    for (auto _ : state) benchmark::DoNotOptimize(runTotal("du -s -l -B1" + sixPaths()));
    state.SetItemsProcessed(state.iterations() * (entries - 2));
}
BENCHMARK(DuSixPaths)->Unit(benchmark::kMillisecond)->UseRealTime();

void GduSixPaths(benchmark::State& state) {
    const std::int64_t entries = ensureTrees();
    for (auto _ : state) {
        benchmark::DoNotOptimize(runTotal(std::string("gdu -n -p -s --no-prefix '") + root + "' 2>/dev/null"));
    }
    state.SetItemsProcessed(state.iterations() * (entries - 2));
}
BENCHMARK(GduSixPaths)->Unit(benchmark::kMillisecond)->UseRealTime();

void BudgetStop(benchmark::State& state) {
    ensureTrees();
    constexpr double budget = 0.020;
    double worstOvershoot = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const corvane::DiskMeasure measure = corvane::DiskSizer::measure(root, budget);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!measure.approximate) state.SkipWithError("the walk finished inside the budget; use a larger tree");
        worstOvershoot = std::max(worstOvershoot, elapsed - budget);
    }
    state.counters["overshoot_ms"] = worstOvershoot * 1000;
}
BENCHMARK(BudgetStop)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
