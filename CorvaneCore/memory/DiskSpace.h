#pragma once

#include <cstdint>

namespace corvane {

/// Free and total bytes of one volume.
struct DiskSpace {
    std::uint64_t free{};
    std::uint64_t total{};

    bool operator==(const DiskSpace&) const = default;
};

} // namespace corvane
