#include "views/MemoryColumn.h"

#include "memory/FormatBytes.h"
#include "words/VerdictWords.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr std::uint64_t swapWorryBytes = 1073741824ULL;

double swapFraction(std::uint64_t used, std::uint64_t total) {
    if (total == 0) return used > 0 ? 1.0 : 0.0;
    return std::clamp(static_cast<double>(used) / static_cast<double>(total), 0.0, 1.0);
}

} // namespace

BarLevel swapBarLevel(std::uint64_t usedBytes, std::uint64_t totalBytes) {
    if (usedBytes < swapWorryBytes) return BarLevel::normal;
    const double ratio = totalBytes == 0 ? 1.0 : static_cast<double>(usedBytes) / static_cast<double>(totalBytes);
    if (!std::isfinite(ratio)) return BarLevel::normal;
    if (ratio >= 0.85) return BarLevel::critical;
    if (ratio >= 0.5) return BarLevel::elevated;
    return BarLevel::normal;
}

std::optional<std::string> resultLine(const std::optional<std::string>& sentence) {
    if (!sentence) return std::nullopt;
    return "结果：" + *sentence;
}

MemoryColumnView memoryColumn(const MemorySnapshot& snapshot, PressureLevel level,
                              const std::optional<std::string>& lastResult) {
    MemoryColumnView v;
    v.title = "内存";
    v.usedPercent = usedPercent(snapshot);
    v.levelWord = std::string(levelWord(level));
    const BarLevel memoryLevel = barLevel(level);
    v.memoryBar = {"内存",
                   snapshot.usedBytes(),
                   std::clamp(snapshot.usedFraction(), 0.0, 1.0),
                   memoryLevel,
                   BarKind{BarKind::Kind::memory, 0},
                   memoryLevel == BarLevel::normal ? "" : v.levelWord};
    v.a11y = "内存已用 " + std::to_string(v.usedPercent) + "%，状态" + v.levelWord + "，" +
             formatBytes(snapshot.usedBytes()) + "，共 " + formatBytes(snapshot.totalBytes);
    if (snapshot.swapUsedBytes > 0) {
        const BarLevel swapLevel = swapBarLevel(snapshot.swapUsedBytes, snapshot.swapTotalBytes);
        v.swapBar = StatBar{"硬盘当内存",
                            snapshot.swapUsedBytes,
                            swapFraction(snapshot.swapUsedBytes, snapshot.swapTotalBytes),
                            swapLevel,
                            BarKind{BarKind::Kind::swap, 0},
                            swapLevel == BarLevel::normal ? "" : "偏多"};
    }
    v.resultLine = resultLine(lastResult);
    v.showsOptimizeButton = level != PressureLevel::normal;
    return v;
}

} // namespace corvane
