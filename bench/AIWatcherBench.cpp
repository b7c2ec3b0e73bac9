// One watcher poll over 12 Claude Code transcripts and 12 Codex rollouts (captured real files
// copied into a temporary home), with every file unchanged (parse-cache hits) and with every file
// changed; CPU time is the whole process's, pool threads included. And the parse of one real
// 20 KB assistant line against simdjson's own parse of the same line, the floor.
#include "AIWatcher.h"
#include "ClaudeCodeParser.h"
#include "LineBuffer.h"

#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
const std::string fixtures = std::string(CORVANE_FIXTURES_DIR) + "/transcripts/";

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// A temporary home with 12 + 12 recent transcripts, removed on destruction.
class BenchHome {
public:
    BenchHome() {
        std::string pattern = (fs::temp_directory_path() / "corvane-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        const std::time_t t = std::time(nullptr);
        std::tm local{};
        ::localtime_r(&t, &local);
        char day[16];
        std::strftime(day, sizeof day, "%Y/%m/%d", &local);
        std::vector<fs::path> claude;
        std::vector<fs::path> codex;
        for (const auto& entry : fs::directory_iterator(fixtures + "claude")) claude.push_back(entry.path());
        for (const auto& entry : fs::directory_iterator(fixtures + "codex")) codex.push_back(entry.path());
        for (int i = 0; i < 12; ++i) {
            const fs::path project = root_ / ".claude/projects" / ("-Users-me-src-app" + std::to_string(i % 4));
            fs::create_directories(project);
            files_.push_back((project / ("session-" + std::to_string(i) + ".jsonl")).string());
            fs::copy_file(claude[static_cast<std::size_t>(i) % claude.size()], files_.back());
            const fs::path folder = root_ / ".codex/sessions" / day;
            fs::create_directories(folder);
            files_.push_back((folder / ("rollout-" + std::to_string(i) + ".jsonl")).string());
            fs::copy_file(codex[static_cast<std::size_t>(i) % codex.size()], files_.back());
        }
    }
    ~BenchHome() { fs::remove_all(root_); }

    long accesses() const { return *accesses_; }

    corvane::AIWatcherConfig config() const {
        corvane::AIWatcherConfig config;
        config.claudeProjectsDir = (root_ / ".claude/projects").string();
        config.codexSessionsDir = (root_ / ".codex/sessions").string();
        config.claudeDesktopSessionsDir = (root_ / "desktop").string();
        config.processNames = [] { return std::set<std::string>{"claude", "codex"}; };
        config.fileAccessProbe = [accesses = accesses_](const std::string&) { ++*accesses; };
        return config;
    }
    /// Gives every transcript a new modification time, so the next poll reads them all.
    void touchAll() {
        ++generation_;
        for (const std::string& file : files_) {
            const timespec times[2] = {{0, UTIME_NOW}, {std::time(nullptr) - 1, generation_ % 1'000'000'000}};
            ::utimensat(AT_FDCWD, file.c_str(), times, 0);
        }
    }

private:
    /// Listings and reads announced so far (3 listings per poll; a read per changed file).
    std::shared_ptr<std::atomic<long>> accesses_ = std::make_shared<std::atomic<long>>(0);

    fs::path root_;
    std::vector<std::string> files_;
    long generation_ = 0;
};

void PollUnchanged(benchmark::State& state) {
    BenchHome home;
    corvane::AIWatcher watcher(home.config());
    watcher.statuses();
    const long before = home.accesses();
    for (auto _ : state) benchmark::DoNotOptimize(watcher.statuses());
    state.counters["accesses/poll"] =
        static_cast<double>(home.accesses() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(PollUnchanged)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMicrosecond);

void PollAllChanged(benchmark::State& state) {
    BenchHome home;
    corvane::AIWatcher watcher(home.config());
    watcher.statuses();
    const long before = home.accesses();
    for (auto _ : state) {
        state.PauseTiming();
        home.touchAll();
        state.ResumeTiming();
        benchmark::DoNotOptimize(watcher.statuses());
    }
    state.counters["accesses/poll"] =
        static_cast<double>(home.accesses() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(PollAllChanged)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMicrosecond);

/// Line 43 of a captured Claude Code transcript: a 20 KB assistant reply that ends the turn.
std::string assistantLine() {
    std::istringstream text(readText(fixtures + "claude/end-turn-then-system.jsonl"));
    std::string line;
    for (int i = 0; i <= 42; ++i) std::getline(text, line);
    return line;
}

void ParseAssistantLine(benchmark::State& state) {
    const corvane::LineBuffer lines(assistantLine());
    for (auto _ : state) benchmark::DoNotOptimize(corvane::ClaudeCodeParser::parse(lines, corvane::Date{}));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(lines[0].size()));
}
BENCHMARK(ParseAssistantLine);

void SimdjsonParseFloor(benchmark::State& state) {
    const simdjson::padded_string json(assistantLine());
    simdjson::dom::parser parser;
    for (auto _ : state) {
        simdjson::dom::element root;
        benchmark::DoNotOptimize(parser.parse(json).get(root));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(json.size()));
}
BENCHMARK(SimdjsonParseFloor);

} // namespace

BENCHMARK_MAIN();
