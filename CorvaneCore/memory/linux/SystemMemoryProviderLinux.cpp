#include "memory/SystemMemoryProvider.h"

#include "memory/MemoryMath.h"
#include "memory/linux/ProcMeminfo.h"
#include "memory/linux/PsiLevel.h"
#include "support/ConcurrentPool.h"
#include "support/FileRead.h"
#include "support/HomeDirectory.h"
#include "support/PathText.h"
#include "support/UniqueDir.h"

#include <unistd.h>

#include <array>
#include <vector>

namespace corvane {

/// The counter files, opened once and re-read with pread on every sample.
struct SystemMemoryProvider::Counters {
    UniqueFd meminfo;
    UniqueFd pressure;
    std::vector<UniqueFd> zramStats;
};

namespace {

std::vector<UniqueFd> openZramStats(const std::string& root) {
    std::vector<UniqueFd> fds;
    const std::string blockDir = joinPath(root, "sys/block");
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

} // namespace

SystemMemoryProvider::SystemMemoryProvider(Options options)
    : counters_(std::make_unique<Counters>()), clock_(options.clock), apps_(std::move(options.apps)) {
    counters_->meminfo = openForReading(joinPath(options.root, "proc/meminfo"));
    counters_->pressure = openForReading(joinPath(options.root, "proc/pressure/memory"));
    counters_->zramStats = openZramStats(options.root);

    const long page = ::sysconf(_SC_PAGESIZE);
    pageSize_ = page > 0 ? static_cast<std::uint64_t>(page) : 4096;
    if (auto text = preadAll(counters_->meminfo)) totalBytes_ = parseMeminfo(*text).memTotal.value_or(0);

    std::shared_ptr<Executor> background = options.background;
    if (!background) background = std::make_shared<ConcurrentPool>(1);
    const std::string home = options.home.empty() ? homeDirectory() : options.home;
    // Linux has no separate figure for important usage: the cached reading is the same call.
    diskCache_ = std::make_shared<DiskSpaceCache>([home] { return readVolumeSpace(home).value_or(DiskSpace{}); },
                                                  [home] { return readVolumeSpace(home); },
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
    return apps_ ? apps_->topAppGroups(limit) : std::vector<AppGroup>{};
}

DiskSpace SystemMemoryProvider::readDisk() {
    return diskCache_->read();
}

} // namespace corvane
