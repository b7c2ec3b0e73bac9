#pragma once

#include "disk/DiskReport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The facts about one disk finding that the disk section and the clean screen show; the model
/// fills it from its disk report.
struct CleanListItem {
    std::string id;
    std::string title;
    /// One explanatory sentence; contains "估算" when the size is a lower bound.
    std::string detail;
    std::uint64_t bytes{};
    /// The item may hold the user's own work or history (risk "confirm").
    bool needsConfirmation{false};
    /// Why the item cannot be cleaned now, when it cannot.
    std::optional<std::string> blockedReason;
    /// Shown for information only, never cleaned.
    bool isInfoOnly{false};

    /// Neither blocked nor information only: may be ticked, counted and cleaned.
    bool isSelectable() const { return !blockedReason && !isInfoOnly; }
    /// The size was estimated (the detail says "估算").
    bool isApproximate() const { return detail.find("估算") != std::string::npos; }

    bool operator==(const CleanListItem&) const = default;
};

/// The facts of one scanned item as the dashboard shows them.
CleanListItem cleanListItem(const DiskItem& item);

/// The items of the last scan in report order; absent before any scan.
std::optional<std::vector<CleanListItem>> cleanListItems(const std::optional<DiskReport>& report);

} // namespace corvane
