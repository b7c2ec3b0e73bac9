#pragma once

#include "apps/SafetyVerdict.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// One running application: its member processes, their summed footprint, window facts,
/// idle time and safety judgement.
struct AppGroup {
    /// The application identity when known, otherwise `name`.
    std::string id;
    std::string name;
    std::optional<std::string> bundleID;
    /// Member processes in ascending order.
    std::vector<std::int32_t> pids;
    std::uint64_t footprintBytes{};
    bool hasVisibleWindow{false};
    bool isRegularApp{false};
    /// Seconds since the application was last front-most; 0 while front-most; absent when unknown.
    std::optional<double> idleSeconds;
    SafetyVerdict safety;
    /// Identities of member processes other than `bundleID` (processes of other applications
    /// inside one bundle); the group is judged under each of them too.
    std::vector<std::string> memberIdentities;

    bool operator==(const AppGroup&) const = default;
};

} // namespace corvane
