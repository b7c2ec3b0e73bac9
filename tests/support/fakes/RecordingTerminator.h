#pragma once

#include "apps/AppTerminating.h"

#include <cstdint>
#include <set>
#include <stdexcept>
#include <vector>

namespace corvane::test {

/// Both terminators in one: accepts every process except the `refusing` ones, records every
/// request (polite or forced) in `asked`, in order, and throws instead when `throws` is set. Not
/// thread-safe: read the fields once the work is done.
class RecordingTerminator final : public AppTerminating, public AppForceTerminating {
public:
    bool terminate(std::int32_t pid) override { return answer(pid); }
    bool forceTerminate(std::int32_t pid) override { return answer(pid); }

    std::set<std::int32_t> refusing;
    std::vector<std::int32_t> asked;
    bool throws{false};

private:
    bool answer(std::int32_t pid) {
        if (throws) throw std::runtime_error("terminator failed");
        asked.push_back(pid);
        return !refusing.contains(pid);
    }
};

} // namespace corvane::test
