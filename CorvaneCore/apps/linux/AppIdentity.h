#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The systemd unit a desktop started an application in, and the application's desktop ID.
struct AppUnit {
    /// The unit's name as it stands in the cgroup path ("app-gnome-firefox\x2desr-1234.scope").
    std::string unit;
    /// The desktop application ID with escapes undone ("firefox-esr").
    std::string applicationID;

    bool operator==(const AppUnit&) const = default;
};

/// The application unit in the text of /proc/PID/cgroup: the innermost path component of the form
/// `app[-<launcher>]-<ID>-<random>.scope` or `app[-<launcher>]-<ID>@<random>.service`, "\xNN"
/// escapes undone in the ID. Absent when no line names one (slices and other units). Pure.
std::optional<AppUnit> parseAppUnit(std::string_view cgroupText);

/// Undoes systemd's "\xNN" escapes in a unit name component. Pure.
std::string unescapeUnitName(std::string_view text);

/// The application identity of a process: the desktop ID of its application unit when the process
/// heads that unit (its parent lives outside it), so programs started inside a terminal's unit do
/// not pass for the terminal; otherwise `windowClass`, the class of a window it owns; else absent.
/// Reads /proc/PID/cgroup, /proc/PID/stat and the parent's cgroup under `procRoot`.
std::optional<std::string> processIdentity(std::int32_t pid, const std::optional<std::string>& windowClass,
                                           const std::string& procRoot = "/proc");

/// The same with the parent already known (absent: unknown) and units read through `unitOf`
/// (so a scan can cache them). Reads nothing else.
std::optional<std::string> processIdentity(std::int32_t pid, const std::optional<std::string>& windowClass,
                                           std::optional<std::int32_t> parent,
                                           const std::function<std::optional<AppUnit>(std::int32_t)>& unitOf);

/// The application unit of one process under `procRoot`; absent when unreadable or in none.
std::optional<AppUnit> readAppUnit(std::int32_t pid, const std::string& procRoot = "/proc");

} // namespace corvane
