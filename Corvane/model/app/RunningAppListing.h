#pragma once

#include <set>
#include <string>

namespace corvane {

/// Lists the identities of the running applications (what a disk scan must not touch).
class RunningAppListing {
public:
    virtual ~RunningAppListing() = default;
    /// The identities running now; read on the main executor just before a scan or a clean.
    virtual std::set<std::string> runningIDs() = 0;
};

} // namespace corvane
