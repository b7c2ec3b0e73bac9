#include "views/CleanScreen.h"

#include "memory/FormatBytes.h"

#include <algorithm>
#include <array>

namespace corvane {

CleanGroupKind cleanGroupKind(const CleanListItem& item) {
    if (item.isInfoOnly) return CleanGroupKind::infoOnly;
    if (item.blockedReason) return CleanGroupKind::blocked;
    if (item.needsConfirmation) return CleanGroupKind::userData;
    return CleanGroupKind::regenerable;
}

std::string cleanSizeText(const CleanListItem& item) {
    return (item.isApproximate() ? "约 " : "") + formatBytes(item.bytes);
}

double cleanListHeight(const std::vector<CleanGroup>& groups) {
    double height = 0;
    for (const CleanGroup& group : groups) {
        height += cleanHeadingHeight;
        for (const CleanRow& row : group.rows) height += row.note ? cleanNoteRowHeight : cleanRowHeight;
    }
    return std::clamp(height, cleanListMinHeight, cleanListMaxHeight);
}

std::string cleanRowA11y(const CleanRow& row) {
    return row.title + "，" + row.sizeText + row.a11ySuffix;
}

namespace {

std::string_view heading(CleanGroupKind kind) {
    switch (kind) {
    case CleanGroupKind::infoOnly: return "需要你自己处理";
    case CleanGroupKind::blocked: return "暂时不能清理";
    case CleanGroupKind::userData: return "含你的产出或历史";
    case CleanGroupKind::regenerable: return "清了会自动重建";
    }
    return "清了会自动重建";
}

CleanRow makeRow(const CleanListItem& item, CleanGroupKind kind, bool ticked) {
    CleanRow row;
    row.id = item.id;
    row.title = item.title;
    row.sizeText = cleanSizeText(item);
    switch (kind) {
    case CleanGroupKind::infoOnly:
        row.noteSymbol = Symbol::info;
        row.note = item.detail;
        row.a11ySuffix = "，仅供参考，不可选择，说明：" + item.detail;
        break;
    case CleanGroupKind::blocked:
        row.noteSymbol = Symbol::lock;
        row.note = item.blockedReason;
        row.a11ySuffix = "，不可选择";
        break;
    case CleanGroupKind::userData:
        row.a11ySuffix = "，含你的产出或历史";
        row.hasCheckBox = true;
        break;
    case CleanGroupKind::regenerable: row.hasCheckBox = true; break;
    }
    row.selected = row.hasCheckBox && ticked;
    return row;
}

} // namespace

CleanScreenView cleanScreen(const std::optional<std::vector<CleanListItem>>& items,
                            const std::set<std::string>& selection, bool scanning, bool hasCleanedBefore) {
    CleanScreenView v;
    v.title = "选择要清理的项目";
    v.intro = hasCleanedBefore ? "已帮你勾好可再生的缓存。只会移入废纸篓，可以放回。"
                               : "先看清楚，再决定清理哪些。只会移入废纸篓，可以放回。";
    std::size_t selectedCount = 0;
    std::uint64_t selectedBytes = 0;
    if (items) {
        std::array<CleanGroup, 4> groups{{{CleanGroupKind::infoOnly, heading(CleanGroupKind::infoOnly), {}},
                                          {CleanGroupKind::blocked, heading(CleanGroupKind::blocked), {}},
                                          {CleanGroupKind::userData, heading(CleanGroupKind::userData), {}},
                                          {CleanGroupKind::regenerable, heading(CleanGroupKind::regenerable), {}}}};
        for (const CleanListItem& item : *items) {
            const CleanGroupKind kind = cleanGroupKind(item);
            CleanRow row = makeRow(item, kind, selection.contains(item.id));
            if (row.selected) {
                ++selectedCount;
                selectedBytes += item.bytes;
            }
            groups[static_cast<std::size_t>(kind)].rows.push_back(std::move(row));
        }
        for (CleanGroup& group : groups) {
            if (!group.rows.empty()) v.groups.push_back(std::move(group));
        }
        if (items->empty()) v.emptyText = "没有找到可以清理的内容。";
    }
    v.footer = selectionFooter(scanning, "正在测量…", selectedCount, " 项，约释放 ", selectedBytes);
    return v;
}

} // namespace corvane
