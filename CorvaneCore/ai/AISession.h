#pragma once

#include "ai/AIActivity.h"
#include "support/Date.h"

#include <optional>
#include <string>

namespace corvane {

/// One AI coding session as last classified.
struct AISession {
    /// Transcript file name without ".zst" and ".jsonl", a desktop session file's name, or "desktop".
    std::string id;
    /// A short project label, when one is known.
    std::optional<std::string> project;
    AIActivity activity{AIActivity::idle};
    /// When the current activity began.
    Date since{};

    bool operator==(const AISession&) const = default;
};

} // namespace corvane
