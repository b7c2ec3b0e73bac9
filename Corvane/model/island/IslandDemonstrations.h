#pragma once

#include "wings/WingsContent.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

/// A developer demonstration of the island: the dashboard opened pinned or by hover, or one
/// wings notice, held for a while and then closed.
struct IslandDemonstration {
    enum class Kind { pinned, hover, wings };

    Kind kind{Kind::pinned};
    /// The notice shown, for `wings`.
    WingsContent wings;

    bool operator==(const IslandDemonstration&) const = default;
};

/// Every demonstration by name, in the order they are listed: "pinned", "hover", then one per
/// kind of notice with canned content ("memory", "memory-critical", "disk", "disk-low",
/// "waiting", "waiting-many", "finished").
const std::vector<std::pair<std::string, IslandDemonstration>>& islandDemonstrations();

/// The demonstration called `name` (exact, case-sensitive); absent for an unknown name.
std::optional<IslandDemonstration> islandDemonstration(std::string_view name);

/// The one standard-error line for an unknown name, listing the known ones.
std::string unknownDemonstrationLine(std::string_view name);

} // namespace corvane
