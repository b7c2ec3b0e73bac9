#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// What one process's /proc/PID/status says that a scan needs.
struct StatusFields {
    /// RssAnon + RssShmem + VmSwap in bytes; absent when none of the three is present (a kernel thread).
    std::optional<std::uint64_t> footprintBytes;
    /// "PPid" and the first "NSpgid" entry (the process group as this /proc sees it); absent when missing.
    std::optional<std::int32_t> parent;
    std::optional<std::int32_t> processGroup;

    bool operator==(const StatusFields&) const = default;
};

/// The fields of the text of /proc/PID/status. Pure.
StatusFields parseStatus(std::string_view statusText);

/// One process as a scan meets it; the path view is valid only during the visit.
struct ProcessEntry {
    std::int32_t pid{};
    std::uint64_t footprintBytes{};
    std::string_view executablePath;
    std::optional<std::int32_t> parent;
    std::optional<std::int32_t> processGroup;
};

/// An executable link's target without the " (deleted)" the kernel appends for replaced files.
std::string_view withoutDeletedSuffix(std::string_view target);

/// Calls `visit` for every process under `procRoot` whose executable and status this user may read
/// (others' processes and kernel threads are skipped): two reads per process. Returns the number
/// of numeric entries seen.
std::size_t forEachProcess(const std::string& procRoot, const std::function<void(const ProcessEntry&)>& visit);

} // namespace corvane
