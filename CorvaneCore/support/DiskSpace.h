#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

/// Free and total bytes of one volume.
struct DiskSpace {
    std::uint64_t free{};
    std::uint64_t total{};

    bool operator==(const DiskSpace&) const = default;
};

/// The volume holding `path`: bytes available to an unprivileged user (blocks reserved for the
/// administrator are not free) and total bytes, each at most the largest 64-bit count. Absent
/// when the file system's statistics cannot be read. Blocking; thread-safe.
std::optional<DiskSpace> readVolumeSpace(const std::string& path);

} // namespace corvane
