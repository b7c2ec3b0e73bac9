#pragma once

#include "disk/Trashing.h"

#include <set>
#include <string>
#include <vector>

namespace corvane::test {

/// Records every path it is asked to trash, in order, and fails the `failing` ones; moves
/// nothing. Not thread-safe: read the fields once the work is done.
class RecordingTrasher final : public Trashing {
public:
    bool trash(const std::string& path) override {
        requested.push_back(path);
        return !failing.contains(path);
    }
    std::vector<std::string> requested;
    std::set<std::string> failing;
};

} // namespace corvane::test
