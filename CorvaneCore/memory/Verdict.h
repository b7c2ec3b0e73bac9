#pragma once

#include "memory/PressureLevel.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What one snapshot means for the user: a headline, advice and the one action offered.
struct Verdict {
    /// The action the interface offers, in declaration order.
    enum class Action { none, optimize, freeDisk };

    PressureLevel level{PressureLevel::normal};
    std::string headline;
    std::string advice;
    Action action{Action::none};

    bool operator==(const Verdict&) const = default;
};

/// The action's case name: "none", "optimize" or "freeDisk".
std::string_view rawValue(Verdict::Action action);

} // namespace corvane
