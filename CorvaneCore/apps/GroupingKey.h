#pragma once

#include "support/PathText.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Where a process belongs: the key of its application group, the application bundle that
/// contains its executable (absent for bare executables) and the name shown before any lookup.
struct GroupingKey {
    std::string key;
    std::optional<std::string> appPath;
    std::string execName;

    bool operator==(const GroupingKey&) const = default;
};

/// The group of the executable at `executablePath`: the outermost ".app" bundle containing it
/// (key = the bundle path), a ".app.bundle" clone (key "clone:" + bundle name without
/// ".bundle"), or the bare executable (key "exec:" + file name). Pure.
GroupingKey groupingKey(std::string_view executablePath);


} // namespace corvane
