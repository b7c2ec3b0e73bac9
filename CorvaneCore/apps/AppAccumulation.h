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

    bool operator==(const AppAccumulator&) const = default;
};

/// Collects processes into groups by their grouping key, folds ".app.bundle" clones into the
/// application they copy and ranks the groups by footprint. Groups keep the order in which
/// their first process was met. Not thread-safe; one per scan.
class AppAccumulation {
public:
    explicit AppAccumulation(std::size_t expectedProcesses = 0);

    /// Adds one process to the group of its executable path.
    void add(std::int32_t pid, std::uint64_t footprintBytes, std::string_view executablePath);
    /// Moves every "clone:" group into the first real application group whose key ends with
    /// "/" + the clone's name; a clone with no such application stays a group of its own.
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
