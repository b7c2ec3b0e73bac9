#include "island/IslandStress.h"

#include <cstdio>

namespace corvane {

StressSequence::StressSequence(std::uint64_t seed, std::size_t wingsCount) : random_(seed), wingsCount_(wingsCount) {}

StressStep StressSequence::next() {
    StressStep step;
    step.delaySeconds = std::uniform_real_distribution<double>(0, StressTiming::maxDelaySeconds)(random_);
    const int roll = std::uniform_int_distribution<int>(0, 99)(random_);
    if (roll < 5) {
        step.kind = StressStep::Kind::screenChange;
    } else if (roll < 15 && wingsCount_ > 0) {
        step.kind = StressStep::Kind::wings;
        step.wingsIndex = std::uniform_int_distribution<std::size_t>(0, wingsCount_ - 1)(random_);
        step.holdSeconds = std::uniform_real_distribution<double>(StressTiming::minWingsHoldSeconds,
                                                                  StressTiming::maxWingsHoldSeconds)(random_);
    } else {
        step.input = allIslandInputs[std::uniform_int_distribution<std::size_t>(0, allIslandInputs.size() - 1)(random_)];
    }
    return step;
}

bool stressClean(const StressReport& report) {
    const bool memoryKept = !report.residentBefore || !report.residentAfter ||
                            *report.residentAfter <= *report.residentBefore + stressResidentToleranceBytes;
    return report.state == IslandPhaseState::idle && report.islandWindowsLeft == 0 &&
           report.windowsAfter <= report.windowsBefore && memoryKept;
}

namespace {

std::string mebibytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / (1 << 20));
    return text;
}

} // namespace

std::string stressSummaryLine(const StressReport& r) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", r.seconds);
    std::string line = "[stress] " + std::to_string(r.inputs + r.screenChanges + r.wings) + " 步（输入 " +
                       std::to_string(r.inputs) + "，屏幕变化 " + std::to_string(r.screenChanges) + "，提示 " +
                       std::to_string(r.wings) + "），用时 " + seconds + " 秒，种子 " + std::to_string(r.seed) + "：" +
                       (stressClean(r) ? "干净" : "有泄漏") + "。状态 " + std::string(rawValue(r.state)) +
                       "，剩余岛窗口 " + std::to_string(r.islandWindowsLeft) + "，顶层窗口 " +
                       std::to_string(r.windowsBefore) + " → " + std::to_string(r.windowsAfter) + "，常驻内存 ";
    if (r.residentBefore && r.residentAfter) {
        line += mebibytes(*r.residentBefore) + " → " + mebibytes(*r.residentAfter) + " MiB（容差 " +
                mebibytes(stressResidentToleranceBytes) + " MiB）";
    } else {
        line += "未比较（带检测器的构建保留已释放的内存）";
    }
    return line + "\n";
}

} // namespace corvane
