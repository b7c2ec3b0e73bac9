#pragma once

#include "views/CleanListItem.h"
#include "views/ViewTint.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// How full the home volume is, from its free bytes.
struct DiskStateLook {
    enum class State { roomy, low, nearlyFull };

    State state{State::roomy};
    Symbol symbol{};
    /// The exact colour of the symbol and state text.
    SRGBColor color;
    std::string_view text;

    bool operator==(const DiskStateLook&) const = default;
};

/// Free space from which the disk is roomy (15 GiB) and below which it is nearly full (8 GiB).
inline constexpr std::uint64_t diskRoomyFromBytes = 16106127360ULL;
inline constexpr std::uint64_t diskNearlyFullBelowBytes = 8589934592ULL;

/// Green at 15 GiB free and above, orange from 8 GiB, red below.
DiskStateLook diskStateLook(std::uint64_t freeBytes);

/// What the disk section shows.
struct DiskSectionView {
    /// Which of the measure texts applies: before any scan, while scanning, after a scan.
    enum class Measure { notMeasured, measuring, measured };

    DiskStateLook look;
    std::string title;
    std::string freeLine;
    Measure measure{Measure::notMeasured};
    /// The measure button's title, or the progress or result text.
    std::string measureText;
    std::string measureA11y;
    /// Accessibility hint of the measure button or of the clean button.
    std::string hint;
    /// The "选择清理项目" button shows only after a scan.
    bool showsCleanButton{false};
    /// "结果：" + the last clean result, when there is one.
    std::optional<std::string> resultLine;

    bool operator==(const DiskSectionView&) const = default;
};

/// Title of the button that opens the clean screen.
inline constexpr std::string_view cleanButtonTitle = "选择清理项目";

/// The disk section for the snapshot's free bytes, the disk-focus flag, whether a scan runs, the
/// last scan's items (absent before any scan) and the last clean result.
DiskSectionView diskSection(std::uint64_t freeBytes, bool diskFocus, bool scanning,
                            const std::optional<std::vector<CleanListItem>>& report,
                            const std::optional<std::string>& lastCleanResult);

} // namespace corvane
