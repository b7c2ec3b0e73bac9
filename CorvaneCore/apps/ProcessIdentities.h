#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// One process as a scan of the process table met it.
struct ScannedProcess {
    std::int32_t pid{};
    std::uint64_t footprintBytes{};
    std::string executablePath;
    /// Absent when the scan could not read it.
    std::optional<std::int32_t> parent;
};

/// The application identity of every process of one scan, in order. A process that owns no window
/// and whose parent (in the scan) runs the same executable belongs to its parent's application, as
/// the workers and helpers a program forks do: it takes the parent's identity and `ownIdentity` is
/// not asked for it. Every other process gets `ownIdentity(pid)`, asked once.
std::vector<std::optional<std::string>> resolveIdentities(
    const std::vector<ScannedProcess>& processes, const std::function<bool(std::int32_t pid)>& ownsWindow,
    const std::function<std::optional<std::string>(std::int32_t pid)>& ownIdentity);

} // namespace corvane
