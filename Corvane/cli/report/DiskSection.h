#pragma once

#include "disk/DiskReport.h"
#include "cli/report/JsonWriter.h"

#include <string>
#include <string_view>

namespace corvane {

/// The risk as the user reads it: "安全" or "需确认".
std::string_view riskWord(DiskRisk risk);
/// Whether the item's size is only a lower bound (its detail carries the approximation mark).
bool isApproximate(const DiskItem& item);

/// The disk scan as Chinese text for a terminal: volume space, reclaimable total, scan time and
/// one entry per item. Ends in a newline.
std::string diskSectionText(const DiskReport& report);
/// Writes the disk scan as one JSON object value (fields in README.md) after a pending key.
void writeDiskJson(JsonWriter& json, const DiskReport& report);

} // namespace corvane
