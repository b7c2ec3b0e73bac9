#pragma once

#include "memory/PressureLevel.h"
#include "views/ViewTint.h"

#include <cstdint>
#include <string>

namespace corvane {

/// How worrying a bar is: green, orange or red.
enum class BarLevel { normal, elevated, critical };

/// What a bar measures; `freeBytes` is meaningful only for `diskFree`.
struct BarKind {
    enum class Kind { diskFree, memory, swap, reclaimable };

    Kind kind{Kind::memory};
    std::uint64_t freeBytes{};

    bool operator==(const BarKind&) const = default;
};

/// One labelled bar of the dashboard.
struct StatBar {
    std::string label;
    std::uint64_t value{};
    /// Filled share, 0…1.
    double fraction{};
    BarLevel level{BarLevel::normal};
    BarKind kind;
    /// Shown beside the value when `level` is not normal.
    std::string warnWord;

    bool operator==(const StatBar&) const = default;
};

/// The bar level of a pressure level (same step).
BarLevel barLevel(PressureLevel level);
/// Green, orange or red.
ViewTint tint(BarLevel level);

} // namespace corvane
