#pragma once

#include "memory/MemorySnapshot.h"
#include "views/StatBar.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What the dashboard's memory column shows.
struct MemoryColumnView {
    std::string title;
    /// The used share, level-coloured; its warn word is the level word.
    StatBar memoryBar;
    /// The used percentage as a whole number.
    int usedPercent{};
    std::string levelWord;
    /// The memory block's accessibility sentence.
    std::string a11y;
    /// The "硬盘当内存" line, present while swap is in use.
    std::optional<StatBar> swapBar;
    /// "结果：" + the last optimize result, when there is one.
    std::optional<std::string> resultLine;
    /// The optimize button shows only while pressure is elevated or critical.
    bool showsOptimizeButton{false};

    bool operator==(const MemoryColumnView&) const = default;
};

/// Title of the optimize button of the memory column.
inline constexpr std::string_view optimizeButtonTitle = "选择要关闭的软件";

/// The memory column for a snapshot, the verdict's pressure level and the last optimize result.
MemoryColumnView memoryColumn(const MemorySnapshot& snapshot, PressureLevel level,
                              const std::optional<std::string>& lastResult);

/// The swap bar's level: always normal below 1 GiB used; otherwise by used/total (1 when total
/// is 0; a ratio that is not finite counts as normal): critical from 0.85, elevated from 0.5.
BarLevel swapBarLevel(std::uint64_t usedBytes, std::uint64_t totalBytes);

/// "结果：" + sentence, or absent without a sentence.
std::optional<std::string> resultLine(const std::optional<std::string>& sentence);

} // namespace corvane
