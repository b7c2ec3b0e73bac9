#include "support/DiskSpace.h"

#include <sys/statvfs.h>

#include <limits>

namespace corvane {

namespace {

std::uint64_t bytesOf(std::uint64_t blocks, std::uint64_t unit) {
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(blocks, unit, &bytes)) return std::numeric_limits<std::uint64_t>::max();
    return bytes;
}

} // namespace

std::optional<DiskSpace> readVolumeSpace(const std::string& path) {
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) != 0) return std::nullopt;
    // Some file systems (older FUSE ones) leave the fragment size at zero; their block size
    // is then the unit.
    const std::uint64_t unit = volume.f_frsize != 0 ? volume.f_frsize : volume.f_bsize;
    return DiskSpace{bytesOf(volume.f_bavail, unit), bytesOf(volume.f_blocks, unit)};
}

} // namespace corvane
