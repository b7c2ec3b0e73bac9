#include "memory/VerdictMaker.h"

#include "memory/FormatBytes.h"

#include <algorithm>
#include <iterator>

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

namespace {

/// One verdict per pressure level and disk state. In `advice`, "{swap}" stands for the swap
/// sentence (empty below `notableSwapBytes`) and "{disk}" for the low-disk clause.
struct Rule {
    PressureLevel level;
    bool lowDisk;
    std::string_view headline;
    std::string_view advice;
    Verdict::Action action;
};

constexpr std::string_view calm = "现在不卡，内存够用";
constexpr std::string_view tight = "内存偏紧，建议关掉暂时不用的软件";
constexpr std::string_view exhausted = "内存不够了，卡顿很可能和它有关";

constexpr Rule rules[] = {
    {PressureLevel::normal, false, calm, "放心用，暂时不需要做任何事。", Verdict::Action::none},
    {PressureLevel::normal, true, calm, "{disk}。", Verdict::Action::freeDisk},
    {PressureLevel::elevated, false, tight, "{swap}先关掉很久没用的软件，通常就能缓解。", Verdict::Action::optimize},
    {PressureLevel::elevated, true, tight, "{disk}；再关掉很久没用的软件。", Verdict::Action::freeDisk},
    {PressureLevel::critical, false, exhausted, "{swap}现在先关掉占用最大、暂时不用的软件。",
     Verdict::Action::optimize},
    {PressureLevel::critical, true, exhausted, "{swap}现在先关掉占用最大、暂时不用的软件。另外{disk}。",
     Verdict::Action::optimize},
};

std::string filledIn(std::string_view advice, const std::string& swap, const std::string& disk) {
    std::string text;
    for (std::size_t at = 0; at < advice.size();) {
        if (advice.substr(at).starts_with("{swap}")) {
            text += swap;
            at += 6;
        } else if (advice.substr(at).starts_with("{disk}")) {
            text += disk;
            at += 6;
        } else {
            text += advice[at++];
        }
    }
    return text;
}

} // namespace

Verdict make(const MemorySnapshot& s) {
    const bool hasDiskReading = s.diskFreeBytes != 0 || s.diskTotalBytes != 0;
    const bool lowDisk = hasDiskReading && s.diskFreeBytes < lowDiskBytes;
    const auto rule = std::find_if(std::begin(rules), std::end(rules),
                                   [&](const Rule& r) { return r.level == s.level && r.lowDisk == lowDisk; });
    if (rule == std::end(rules)) return Verdict{s.level, {}, {}, Verdict::Action::none};
    const std::string disk = "磁盘只剩 " + formatBytes(s.diskFreeBytes) + "，快满了会让电脑变卡，建议腾出空间";
    const std::string swap = s.swapUsedBytes >= notableSwapBytes
                                 ? "电脑正在把硬盘当内存用（" + formatBytes(s.swapUsedBytes) + "），所以会慢。"
                                 : std::string();
    return Verdict{s.level, std::string(rule->headline), filledIn(rule->advice, swap, disk), rule->action};
}

} // namespace VerdictMaker
} // namespace corvane
