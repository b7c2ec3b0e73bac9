#include "views/CleanListItem.h"

namespace corvane {

CleanListItem cleanListItem(const DiskItem& item) {
    CleanListItem row;
    row.id = item.id;
    row.title = item.title;
    row.detail = item.detail;
    row.bytes = item.bytes;
    row.needsConfirmation = item.risk == DiskRisk::confirm;
    row.blockedReason = item.blockedReason;
    row.isInfoOnly = item.isInfoOnly;
    return row;
}

std::optional<std::vector<CleanListItem>> cleanListItems(const std::optional<DiskReport>& report) {
    if (!report) return std::nullopt;
    std::vector<CleanListItem> rows;
    rows.reserve(report->items.size());
    for (const DiskItem& item : report->items) rows.push_back(cleanListItem(item));
    return rows;
}

} // namespace corvane
