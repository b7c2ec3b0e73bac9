#pragma once

#include "apps/GroupingKey.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

/// One application group while a scan adds its processes.
struct AppAccumulator {
    std::string key;
    std::optional<std::string> appPath;
    std::string execName;
    /// Member processes in the order met.
    std::vector<std::int32_t> pids;
    std::uint64_t bytes{};
    /// The distinct application identities of the members, in the order met: exactly one in a
    /// group keyed by identity, none in a bare executable's group, any number in a bundle.
    std::vector<std::string> identities;

    bool operator==(const AppAccumulator&) const = default;
};

/// Collects processes into application groups, folds ".app.bundle" clones into the application
/// they copy and ranks the groups by footprint. A process inside an application bundle joins the
/// bundle's group; any other process joins the group of its application identity, or without
/// one the group of its executable's name, so two identities never share such a group. Groups
/// keep the order in which their first process was met. Not thread-safe; one per scan.
class AppAccumulation {
public:
    explicit AppAccumulation(std::size_t expectedProcesses = 0);

    /// Adds one process with its application identity (absent when it has none).
    void add(std::int32_t pid, std::uint64_t footprintBytes, std::string_view executablePath,
             const std::optional<std::string>& identity = std::nullopt);
    /// Moves every "clone:" group into the first bundle group whose key ends with "/" + the
    /// clone's name; a clone with no such application stays a group of its own.
    void foldClones();
    /// The groups, largest `bytes` first (stable), cut to `limit` (empty for limit <= 0).
    std::vector<AppAccumulator> ranked(int limit) &&;

    /// The groups so far, in the order their first process was met.
    const std::vector<AppAccumulator>& groups() const { return groups_; }

private:
    std::vector<AppAccumulator> groups_;
    std::unordered_map<std::string, std::size_t> indexByKey_;
};

} // namespace corvane
