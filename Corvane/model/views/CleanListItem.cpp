#include "views/CleanListItem.h"

namespace corvane {

CleanListItem cleanListItem(const DiskItem& item) {
    return {item.id,           item.title,        item.detail,     item.bytes,
            item.risk == DiskRisk::confirm, item.blockedReason, item.isInfoOnly};
}

std::optional<std::vector<CleanListItem>> cleanListItems(const std::optional<DiskReport>& report) {
    if (!report) return std::nullopt;
    std::vector<CleanListItem> items;
    items.reserve(report->items.size());
    for (const DiskItem& item : report->items)
        items.push_back(cleanListItem(item));
    return items;
}

} // namespace corvane
