#pragma once

#include "app/RunningAppListing.h"

namespace corvane::test {

/// Lists the identities the test set. Main executor only, like the model's reads.
class FixedRunningApps final : public RunningAppListing {
public:
    std::set<std::string> runningIDs() override { return running; }
    std::set<std::string> running;
};

} // namespace corvane::test
