#pragma once

#include <optional>
#include <string_view>

namespace corvane {

/// How careful the user must be before an item is cleaned.
enum class DiskRisk {
    safe,    ///< regenerable data; moving it to the Trash loses nothing the user made
    confirm, ///< the user must look first (it may hold work, or it is shown for information only)
};

/// "safe" or "confirm".
std::string_view rawValue(DiskRisk risk);
/// The risk whose raw value is exactly `raw` (letter case included); absent for anything else.
std::optional<DiskRisk> diskRiskFromRaw(std::string_view raw);

} // namespace corvane
