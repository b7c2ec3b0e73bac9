#pragma once

#include "apps/AppGroup.h"
#include "symbols/Symbol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The idle-software figure of the memory column.
struct IdleStatView {
    enum class State { counting, none, reclaimable };

    State state{State::counting};
    std::string label;
    std::string value;
    std::string a11y;
    /// Accessibility hint, only when something can be reclaimed.
    std::optional<std::string> hint;
    /// The candidates' summed footprint, only when something can be reclaimed.
    std::optional<std::uint64_t> reclaimableBytes;
    /// The "腾出" button (one-click path) shows only when something can be reclaimed.
    bool showsReclaimButton{false};
    std::string help;

    bool operator==(const IdleStatView&) const = default;
};

/// The stat's identifier for a frozen hover state (the dashboard context's `hoverDemo`).
inline constexpr std::string_view idleStatID = "idleStat";

/// Title and trailing symbol of the one-click button.
inline constexpr std::string_view reclaimButtonTitle = "腾出";
inline constexpr Symbol reclaimButtonSymbol = Symbol::chevronForward;

/// The figure for the idle candidates (absent while they are still being counted) and the
/// system's cache bytes.
IdleStatView idleStat(const std::optional<std::vector<AppGroup>>& candidates, std::uint64_t cacheBytes);

} // namespace corvane
