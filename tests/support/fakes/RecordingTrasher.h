#pragma once

#include "disk/Trashing.h"

#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace corvane::test {

/// Records every path it is asked to trash, in order, and fails the `failing` ones; moves
/// nothing. Safe to call from any thread; read the fields once the work is done.
class RecordingTrasher final : public Trashing {
public:
    bool trash(const std::string& path) override {
        std::lock_guard lock(mutex_);
        requested.push_back(path);
        return !failing.contains(path);
    }

    std::vector<std::string> requested;
    std::set<std::string> failing;

private:
    std::mutex mutex_;
};

} // namespace corvane::test
