#pragma once

#include "disk/DiskCleanReport.h"
#include "disk/DiskItem.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The items ticked when the clean screen opens: none for a first-time user, otherwise every
/// actionable item of risk `safe` (risk `confirm` is never pre-ticked).
std::set<std::string> defaultDiskSelection(const std::vector<DiskItem>& items, bool hasCleanedBefore);

/// The actionable items whose id is selected, in item order.
std::vector<DiskItem> pickedDiskItems(const std::vector<DiskItem>& items, const std::set<std::string>& selection);

/// The confirmation text: up to eight items with sizes ("约 " before estimated ones), how many
/// more, a warning when any item holds the user's output or history, and the Trash reminder
/// naming the platform's file manager.
std::string diskConfirmMessage(const std::vector<DiskItem>& items, std::string_view fileManager);

/// The chosen items matched against a fresh scan.
struct CleaningPlan {
    /// The fresh versions (current sizes and paths) of the chosen items that may still be cleaned.
    std::vector<DiskItem> toClean;
    /// Chosen items that vanished, changed or became blocked or informative since they were shown.
    std::vector<DiskItem> skipped;
};

/// Keeps a chosen item only when the fresh scan has an actionable item with the same id whose
/// every path was among the paths the user was shown; anything else counts as changed. Two
/// findings can share an id, so this keeps the clean from moving something never shown.
CleaningPlan intersectForCleaning(const std::vector<DiskItem>& selected, const std::vector<DiskItem>& fresh);

/// The one-sentence outcome of a clean; `changed` counts the items skipped as changed.
/// The outcome when a scan of the caches could not be carried out.
inline constexpr std::string_view diskScanFailedSentence = "这次没能检查磁盘，请稍后再试。";
/// The outcome when moving the chosen items to the Trash could not be carried out; some of them
/// may have moved.
inline constexpr std::string_view diskCleanFailedSentence = "这次没能全部移入废纸篓，请稍后再试。";

std::string diskResultSentence(const DiskCleanReport& report, int changed, std::string_view fileManager);

} // namespace corvane
