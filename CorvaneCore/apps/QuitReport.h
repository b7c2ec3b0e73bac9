#pragma once

#include <string>
#include <vector>

namespace corvane {

/// What a quit of several application groups did, by group id in the order given.
struct QuitReport {
    /// Groups for which at least one member accepted the quit request.
    std::vector<std::string> requested;
    /// Eligible groups whose members all refused (or that had no members).
    std::vector<std::string> failed;
    /// Groups that were not eligible (not a regular application, or protected).
    std::vector<std::string> skipped;

    bool operator==(const QuitReport&) const = default;
};

} // namespace corvane
