#pragma once

#include "ai/AIToolKind.h"
#include "symbols/Symbol.h"

#include <optional>
#include <string>

namespace corvane {

/// What the dashboard shows when a notice is tapped.
enum class WingsFocus { none, disk };

/// An AI session a notice can jump to.
struct SessionRef {
    AIToolKind tool{AIToolKind::claudeCode};
    std::string sessionID;

    bool operator==(const SessionRef&) const = default;
};

/// A short notice shown beside the top of the screen for a limited time.
struct WingsContent {
    /// Colour of the symbol.
    enum class Tint { blue, orange, red, green };

    /// The icon shown on the left.
    Symbol symbol{};
    Tint tint{Tint::blue};
    /// Short text for the right wing (fits 60 points).
    std::string text;
    /// One-line text of the floating style.
    std::string floatingText;
    /// The full sentence for accessibility.
    std::string a11y;
    WingsFocus focus{WingsFocus::none};
    std::optional<SessionRef> jump;

    bool operator==(const WingsContent&) const = default;
};

} // namespace corvane
