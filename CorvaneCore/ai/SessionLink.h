#pragma once

#include <optional>
#include <string>

namespace corvane {

/// Where a jump to an AI session leads.
struct SessionLink {
    /// The deep link to open, when one could be formed.
    std::optional<std::string> url;
    /// The application to open or activate.
    std::string hostBundleID;
    /// True exactly when `url` addresses the session itself.
    bool isExact{false};
    bool operator==(const SessionLink&) const = default;
};

} // namespace corvane
