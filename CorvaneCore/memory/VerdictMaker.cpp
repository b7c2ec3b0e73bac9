#include "memory/VerdictMaker.h"

#include "memory/FormatBytes.h"

namespace corvane {

std::string_view rawValue(Verdict::Action action) {
    switch (action) {
    case Verdict::Action::none: return "none";
    case Verdict::Action::optimize: return "optimize";
    case Verdict::Action::freeDisk: return "freeDisk";
    }
    return "none";
}

namespace VerdictMaker {

Verdict make(const MemorySnapshot& s) {
    const bool hasDiskReading = s.diskFreeBytes != 0 || s.diskTotalBytes != 0;
    const bool lowDisk = hasDiskReading && s.diskFreeBytes < lowDiskBytes;
    const std::string disk = "磁盘只剩 " + formatBytes(s.diskFreeBytes) + "，快满了会让电脑变卡，建议腾出空间";
    const std::string swap = s.swapUsedBytes >= notableSwapBytes
                                 ? "电脑正在把硬盘当内存用（" + formatBytes(s.swapUsedBytes) + "），所以会慢。"
                                 : std::string();

    Verdict v;
    v.level = s.level;
    switch (s.level) {
    case PressureLevel::normal:
        v.headline = "现在不卡，内存够用";
        if (lowDisk) {
            v.advice = disk + "。";
            v.action = Verdict::Action::freeDisk;
        } else {
            v.advice = "放心用，暂时不需要做任何事。";
            v.action = Verdict::Action::none;
        }
        break;
    case PressureLevel::elevated:
        v.headline = "内存偏紧，建议关掉暂时不用的软件";
        if (lowDisk) {
            v.advice = disk + "；再关掉很久没用的软件。";
            v.action = Verdict::Action::freeDisk;
        } else {
            v.advice = swap + "先关掉很久没用的软件，通常就能缓解。";
            v.action = Verdict::Action::optimize;
        }
        break;
    case PressureLevel::critical:
        v.headline = "内存不够了，卡顿很可能和它有关";
        v.advice = swap + "现在先关掉占用最大、暂时不用的软件。";
        if (lowDisk) v.advice += "另外" + disk + "。";
        v.action = Verdict::Action::optimize;
        break;
    }
    return v;
}

} // namespace VerdictMaker
} // namespace corvane
