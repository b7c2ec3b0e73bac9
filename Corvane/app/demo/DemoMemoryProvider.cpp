#include "app/demo/DemoMemoryProvider.h"

#include "apps/SafetyPolicy.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::uint64_t MiB = 1'048'576;
constexpr std::uint64_t GiB = 1'024 * MiB;
constexpr double minute = 60;
constexpr double hour = 60 * minute;

/// A process table in which nothing is related to this program, so only the named rules judge.
class UnrelatedProcesses final : public ProcessTreeProviding {
public:
    std::optional<ProcessLineage> lineage(std::int32_t /*pid*/) const override { return std::nullopt; }
};

struct DemoApp {
    const char* id;
    const char* name;
    std::vector<std::int32_t> pids;
    std::uint64_t footprint;
    std::optional<double> idleSeconds;
    bool regular;
};

/// The footprints grow with the mode, as they would on a machine that is running out of memory.
std::vector<AppGroup> demoGroups(MockMode mode) {
    const std::uint64_t scale = mode == MockMode::ok ? 1 : mode == MockMode::warn ? 2 : 3;
    const std::vector<DemoApp> apps{
        {"google-chrome", "Google Chrome", {4101, 4102, 4107, 4113}, 1'400 * MiB * scale, 0, true},
        {"wechat", "微信", {3320, 3321}, 620 * MiB * scale, 3.5 * hour, true},
        {"code", "Visual Studio Code", {2810, 2811, 2815}, 900 * MiB * scale, 4 * minute, true},
        {"wps", "WPS 文字", {5012}, 380 * MiB * scale, 26 * hour, true},
        {"netease-cloud-music", "网易云音乐", {5230, 5231}, 310 * MiB * scale, 5 * hour, true},
        {"dingtalk", "钉钉", {5410}, 290 * MiB * scale, 40 * minute, true},
        {"org.gnome.Evince", "文档查看器", {5620}, 140 * MiB * scale, 9 * hour, true},
        {"baidunetdisk", "百度网盘", {5710}, 260 * MiB * scale, 2.5 * hour, true},
        {"gnome-shell", "gnome-shell", {1180}, 520 * MiB, std::nullopt, false},
    };
    std::vector<AppGroup> groups;
    for (const DemoApp& app : apps) {
        AppGroup g;
        g.id = app.id;
        g.name = app.name;
        g.bundleID = app.id;
        g.pids = app.pids;
        g.footprintBytes = app.footprint;
        g.hasVisibleWindow = app.regular;
        g.isRegularApp = app.regular;
        g.idleSeconds = app.idleSeconds;
        groups.push_back(std::move(g));
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const AppGroup& a, const AppGroup& b) { return a.footprintBytes > b.footprintBytes; });
    return SafetyPolicy(0, std::make_shared<UnrelatedProcesses>()).classify(std::move(groups));
}

/// Timestamp, total, application, wired, compressed, cached, free, swap used and total, disk free
/// and total, level.
MemorySnapshot demoSnapshot(MockMode mode) {
    constexpr std::uint64_t total = 16 * GiB;
    constexpr std::uint64_t disk = 460 * GiB;
    switch (mode) {
    case MockMode::ok:
        return {{}, total, 6 * GiB, 2 * GiB, 512 * MiB, 5 * GiB, 2'560 * MiB, 0, 2 * GiB, 96 * GiB, disk,
                PressureLevel::normal};
    case MockMode::warn:
        return {{}, total, 9 * GiB, 2 * GiB, 2 * GiB, 2 * GiB, 1 * GiB, 1'536 * MiB, 4 * GiB, 12 * GiB, disk,
                PressureLevel::elevated};
    case MockMode::bad:
        return {{}, total, 10 * GiB, 2'560 * MiB, 3 * GiB, 512 * MiB, 256 * MiB, 6 * GiB, 8 * GiB, 12 * GiB, disk,
                PressureLevel::critical};
    }
    return {};
}

} // namespace

DemoMemoryProvider::DemoMemoryProvider(MockMode mode, Clock clock)
    : mode_(mode), clock_(std::move(clock)), groups_(demoGroups(mode)) {}

MemorySnapshot DemoMemoryProvider::memorySnapshot() {
    MemorySnapshot s = demoSnapshot(mode_);
    s.timestamp = clock_();
    return s;
}

std::vector<AppGroup> DemoMemoryProvider::topAppGroups(int limit) {
    std::set<std::int32_t> quit;
    {
        const std::lock_guard lock(mutex_);
        quit = quit_;
    }
    std::vector<AppGroup> listed;
    for (const AppGroup& g : groups_) {
        if (std::ssize(listed) >= limit) break;
        const bool gone =
            std::any_of(g.pids.begin(), g.pids.end(), [&](std::int32_t pid) { return quit.count(pid) != 0; });
        if (!gone) listed.push_back(g);
    }
    return listed;
}

bool DemoMemoryProvider::quit(std::int32_t pid) {
    const bool listed = std::any_of(groups_.begin(), groups_.end(), [pid](const AppGroup& g) {
        return std::find(g.pids.begin(), g.pids.end(), pid) != g.pids.end();
    });
    if (!listed) return false;
    const std::lock_guard lock(mutex_);
    quit_.insert(pid);
    return true;
}

} // namespace corvane
