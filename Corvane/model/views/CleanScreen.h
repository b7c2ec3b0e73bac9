#pragma once

#include "symbols/Symbol.h"
#include "views/CleanListItem.h"
#include "views/SelectionFooter.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The four groups of the clean list, in the order an item is tested against them.
enum class CleanGroupKind { infoOnly, blocked, userData, regenerable };

/// One item row of the clean list.
struct CleanRow {
    std::string id;
    std::string title;
    /// Formatted bytes, prefixed with "约 " for an estimated size.
    std::string sizeText;
    /// The note's icon: Symbol::info for information, Symbol::lock for blocked; absent for none.
    std::optional<Symbol> noteSymbol;
    /// The detail of an informative item or the reason of a blocked one.
    std::optional<std::string> note;
    /// Appended to the row's accessibility label.
    std::string a11ySuffix;
    bool hasCheckBox{false};
    bool selected{false};

    bool operator==(const CleanRow&) const = default;
};

/// One titled group of rows.
struct CleanGroup {
    CleanGroupKind kind{CleanGroupKind::regenerable};
    std::string_view heading;
    std::vector<CleanRow> rows;

    bool operator==(const CleanGroup&) const = default;
};

/// What the clean screen shows.
struct CleanScreenView {
    std::string title;
    std::string intro;
    /// The non-empty groups, in testing order.
    std::vector<CleanGroup> groups;
    /// "没有找到可以清理的内容。" for a scan that found nothing.
    std::optional<std::string> emptyText;
    SelectionFooter footer;

    bool operator==(const CleanScreenView&) const = default;
};

/// Heights of the clean list's parts, in points: a row, a row with its note, a group heading.
inline constexpr double cleanRowHeight = 40;
inline constexpr double cleanNoteRowHeight = 56;
inline constexpr double cleanHeadingHeight = 26;
/// The list's height stays within these bounds; longer lists scroll.
inline constexpr double cleanListMinHeight = 80;
inline constexpr double cleanListMaxHeight = 300;

/// Fixed texts of the clean screen.
inline constexpr std::string_view cleanListA11y = "可清理的项目列表";
inline constexpr std::string_view cleanConfirmTitle = "移入废纸篓…";

/// The group an item belongs to: information only, else blocked, else needing confirmation (the
/// user's own work or history), else regenerable.
CleanGroupKind cleanGroupKind(const CleanListItem& item);

/// The item's size text: formatted bytes, with "约 " in front when the size was estimated.
std::string cleanSizeText(const CleanListItem& item);

/// The list's height: a heading per group and each row at its height, clamped to 80…300.
double cleanListHeight(const std::vector<CleanGroup>& groups);

/// What assistive technology reads for a row: its title, its size and its group's suffix.
std::string cleanRowA11y(const CleanRow& row);

/// The screen for the last scan's items (absent before a scan), the ticked ids, whether a scan
/// runs and the "hasCleanedDiskBefore" preference.
CleanScreenView cleanScreen(const std::optional<std::vector<CleanListItem>>& items,
                            const std::set<std::string>& selection, bool scanning, bool hasCleanedBefore);

} // namespace corvane
