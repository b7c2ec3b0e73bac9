#pragma once

#include "apps/AppGroup.h"
#include "views/SelectionFooter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One application row of the optimize list.
struct OptimizeRow {
    std::string id;
    std::string name;
    /// "，占用 " + footprint.
    std::string footprintText;
    /// "N 分钟没用" / "N 小时没用", absent below ten minutes or when unknown.
    std::optional<std::string> idleText;
    /// The caution reason shown with Symbol::info; absent unless the verdict is a caution.
    std::optional<std::string> cautionNote;
    /// The lock reason; present exactly for rows that may not be quit (drawn with Symbol::lock).
    std::optional<std::string> lockReason;
    bool selected{false};
    std::string a11y;

    bool operator==(const OptimizeRow&) const = default;
};

/// What the optimize screen shows.
struct OptimizeScreenView {
    std::string title;
    std::string intro;
    /// Rows with a check box, in the model's order.
    std::vector<OptimizeRow> selectableRows;
    /// Rows under the locked heading, in the model's order.
    std::vector<OptimizeRow> lockedRows;
    double listHeight{};
    SelectionFooter footer;

    bool operator==(const OptimizeScreenView&) const = default;
};

/// Heights of the optimize list's parts, in points.
inline constexpr double optimizeRowHeight = 46;
inline constexpr double optimizeCautionRowHeight = 62;
inline constexpr double lockedHeadingHeight = 26;
inline constexpr double lockedRowHeight = 42;
/// The list's height stays within these bounds; longer lists scroll.
inline constexpr double optimizeListMinHeight = 80;
inline constexpr double optimizeListMaxHeight = 300;

/// Fixed texts of the optimize screen.
inline constexpr std::string_view optimizeBackTitle = "返回";
inline constexpr std::string_view optimizeListA11y = "可关闭的软件列表";
inline constexpr std::string_view optimizeConfirmTitle = "关闭所选…";
/// The heading over the rows that may not be quit.
inline constexpr std::string_view lockedHeading = "不能关闭";
inline constexpr std::string_view rowMenuTitle = "更多操作";
inline constexpr std::string_view rowMenuForceQuit = "强制退出…";

/// The screen for the listed groups (the model's order), the ticked ids and whether the list is
/// still being loaded.
OptimizeScreenView optimizeScreen(const std::vector<AppGroup>& groups, const std::set<std::string>& selection,
                                  bool loading);

/// The idle text for an idle time in seconds: none when unknown or below 600; truncated minutes
/// + " 分钟没用" from 600; truncated hours + " 小时没用" from 3600.
std::optional<std::string> idleText(std::optional<double> idleSeconds);

/// The list's height: 46 per selectable row (62 with a caution note), plus 26 + 42 per locked row
/// when there are any, clamped to 80…300.
double optimizeListHeight(std::size_t plainRows, std::size_t cautionRows, std::size_t lockedRows);

} // namespace corvane
