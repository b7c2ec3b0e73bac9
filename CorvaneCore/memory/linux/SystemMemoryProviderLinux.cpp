#include "memory/SystemMemoryProvider.h"

#include "apps/AppAccumulation.h"
#include "apps/AppGroupBuilder.h"
#include "apps/BundleInfo.h"
#include "apps/ProcessIdentities.h"
#include "apps/linux/AppIdentity.h"
#include "apps/linux/DesktopEntry.h"
#include "apps/linux/ProcessTable.h"
#include "apps/linux/ScannedProcessTree.h"
#include "memory/MemoryMath.h"
#include "memory/linux/ProcMeminfo.h"
#include "memory/linux/PsiLevel.h"
#include "support/ConcurrentPool.h"
#include "support/FileRead.h"
#include "support/HomeDirectory.h"
#include "support/UniqueDir.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <array>
#include <unordered_map>
#include <vector>

namespace corvane {

/// The counter files, opened once and re-read with pread on every sample.
struct SystemMemoryProvider::Counters {
    UniqueFd meminfo;
    UniqueFd pressure;
    std::vector<UniqueFd> zramStats;
    BundleInfoCache bundleInfo;
    std::unique_ptr<DesktopNameCache> desktopNames;
};

namespace {

std::string joined(const std::string& root, const char* relative) {
    if (root.empty() || root.back() != '/') return root + "/" + relative;
    return root + relative;
}

std::vector<UniqueFd> openZramStats(const std::string& root) {
    std::vector<UniqueFd> fds;
    const std::string blockDir = joined(root, "sys/block");
    const UniqueDir dir = openDirectory(blockDir);
    if (!dir) return fds;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.rfind("zram", 0) != 0) continue;
        // A device without a size holds no memory; skipping it saves a read per sample.
        const auto size = readWholeFile(blockDir + "/" + name + "/disksize");
        if (size && size->rfind("0", 0) == 0) continue;
        if (UniqueFd fd = openForReading(blockDir + "/" + name + "/mm_stat")) fds.push_back(std::move(fd));
    }
    return fds;
}

std::optional<DiskSpace> statvfsDisk(const std::string& home) {
    struct statvfs s {};
    if (::statvfs(home.c_str(), &s) != 0) return std::nullopt;
    const std::uint64_t unit = s.f_frsize != 0 ? s.f_frsize : s.f_bsize;
    return DiskSpace{static_cast<std::uint64_t>(s.f_bavail) * unit, static_cast<std::uint64_t>(s.f_blocks) * unit};
}

} // namespace

SystemMemoryProvider::SystemMemoryProvider(Options options)
    : counters_(std::make_unique<Counters>()), clock_(options.clock), procRoot_(joined(options.root, "proc")),
      activity_(std::move(options.activity)), safety_(std::move(options.safety)),
      windowFacts_(std::move(options.windowFacts)) {
    counters_->meminfo = openForReading(joined(options.root, "proc/meminfo"));
    counters_->pressure = openForReading(joined(options.root, "proc/pressure/memory"));
    counters_->zramStats = openZramStats(options.root);
    counters_->desktopNames =
        std::make_unique<DesktopNameCache>(options.applicationDirectories.value_or(applicationDirectories()));

    const long page = ::sysconf(_SC_PAGESIZE);
    pageSize_ = page > 0 ? static_cast<std::uint64_t>(page) : 4096;
    if (auto text = preadAll(counters_->meminfo)) totalBytes_ = parseMeminfo(*text).memTotal.value_or(0);

    std::shared_ptr<Executor> background = options.background;
    if (!background) background = std::make_shared<ConcurrentPool>(1);
    const std::string home = options.home.empty() ? homeDirectory() : options.home;
    diskCache_ = std::make_shared<DiskSpaceCache>([home] { return readStatfsDisk(home); },
                                                  [home] { return readImportantUsageDisk(home); },
                                                  std::move(background), options.clock);
}

SystemMemoryProvider::SystemMemoryProvider() : SystemMemoryProvider(Options{}) {}

SystemMemoryProvider::~SystemMemoryProvider() = default;

MemorySnapshot SystemMemoryProvider::memorySnapshot() {
    std::array<char, 8192> buffer; // meminfo is about 1.5 KB; larger texts go to `overflow`
    std::string overflow;
    const MeminfoFields fields =
        parseMeminfo(preadInto(counters_->meminfo, buffer, overflow).value_or(std::string_view()));
    std::uint64_t zramBytes = 0;
    for (const UniqueFd& fd : counters_->zramStats) {
        if (auto text = preadInto(fd, buffer, overflow)) zramBytes += zramMemUsedTotal(*text);
    }
    const LinuxMemoryReading reading = memoryReading(fields, zramBytes, pageSize_);
    const DiskSpace disk = readDisk();
    std::optional<PressureLevel> kernelLevel;
    if (auto text = preadInto(counters_->pressure, buffer, overflow)) kernelLevel = psiKernelLevel(*text);
    return MemoryMath::compute(reading.counters, pageSize_, totalBytes_, reading.swapUsed, reading.swapTotal,
                               disk.free, disk.total, kernelLevel, clock_());
}

std::vector<AppGroup> SystemMemoryProvider::topAppGroups(int limit) {
    if (limit <= 0) return {};
    std::vector<ScannedProcess> processes;
    processes.reserve(1024);
    ScannedProcessTree lineages(safety_.tree());
    const std::size_t listed = forEachProcess(procRoot_, [&](const ProcessEntry& process) {
        processes.push_back({process.pid, process.footprintBytes, std::string(process.executablePath), process.parent});
        if (process.parent && process.processGroup) lineages.add(process.pid, *process.parent, *process.processGroup);
    });
    if (listed == 0) return {};

    const WindowFacts windows = (windowFacts_ ? windowFacts_() : std::nullopt).value_or(WindowFacts{});
    std::unordered_map<std::int32_t, std::optional<AppUnit>> units;
    const auto unitOf = [&](std::int32_t pid) {
        auto [it, inserted] = units.try_emplace(pid);
        if (inserted) it->second = readAppUnit(pid, procRoot_);
        return it->second;
    };
    const auto identities = resolveIdentities(
        processes, [&](std::int32_t pid) { return windows.windowClassByPID.count(pid) != 0; },
        [&](std::int32_t pid) {
            const auto found = windows.windowClassByPID.find(pid);
            const auto windowClass = found == windows.windowClassByPID.end()
                                         ? std::nullopt
                                         : std::optional<std::string>(found->second);
            return processIdentity(pid, windowClass, lineages.parentOf(pid), unitOf);
        });
    AppAccumulation accumulation(processes.size());
    for (std::size_t i = 0; i < processes.size(); ++i) {
        accumulation.add(processes[i].pid, processes[i].footprintBytes, processes[i].executablePath, identities[i]);
    }
    accumulation.foldClones();
    const std::vector<AppAccumulator> kept = std::move(accumulation).ranked(limit);

    GroupLookups lookups;
    lookups.bundleInfo = [this](const std::string& path) { return counters_->bundleInfo.appInfo(path); };
    lookups.displayNameOf = [this](const std::string& identity) { return counters_->desktopNames->displayName(identity); };
    if (activity_) {
        lookups.idleSecondsOf = [this](const std::string& identity) { return activity_->idleSeconds(identity); };
    }
    std::vector<AppGroup> groups = buildAppGroups(kept, windows, lookups);

    const auto own = safety_.tree().lineage(safety_.selfPID());
    lineages.readTerminals(own && own->tty);
    return safety_.classify(std::move(groups), lineages);
}

DiskSpace SystemMemoryProvider::readDisk() {
    return diskCache_->read();
}

DiskSpace SystemMemoryProvider::readStatfsDisk(const std::string& home) {
    return statvfsDisk(home).value_or(DiskSpace{});
}

std::optional<DiskSpace> SystemMemoryProvider::readImportantUsageDisk(const std::string& home) {
    // Linux has no separate figure for important usage: the cached reading is the same call.
    return statvfsDisk(home);
}

} // namespace corvane
