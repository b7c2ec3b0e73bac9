#pragma once

#include <functional>
#include <optional>
#include <string>

namespace corvane {

/// A confirmation or information alert for the island to present.
struct AlertSpec {
    std::string title;
    std::string message;
    /// Label of the confirming button.
    std::string confirmTitle;
    /// The confirming button is styled as dangerous.
    bool destructive{false};
    /// Label of a second button; none for no such button.
    std::optional<std::string> secondaryTitle;
    std::function<void()> onSecondary = [] {};
    /// Only an acknowledgement, no choice.
    bool infoOnly{false};
    std::function<void()> onConfirm = [] {};
};

} // namespace corvane
