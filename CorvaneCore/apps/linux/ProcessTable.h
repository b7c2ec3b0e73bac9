#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The footprint in the text of /proc/PID/status: RssAnon + RssShmem + VmSwap, in bytes.
/// Absent when none of the three lines is present (a kernel thread). Pure.
std::optional<std::uint64_t> footprintFromStatus(std::string_view statusText);

/// An executable link's target without the " (deleted)" the kernel appends for replaced files.
std::string_view withoutDeletedSuffix(std::string_view target);

/// Calls `visit(pid, footprintBytes, executablePath)` for every process under `procRoot` whose
/// executable and status this user may read (others' processes and kernel threads are skipped).
/// Returns the number of numeric entries seen. The path view is valid only during the call.
std::size_t forEachProcess(const std::string& procRoot,
                           const std::function<void(std::int32_t, std::uint64_t, std::string_view)>& visit);

} // namespace corvane
