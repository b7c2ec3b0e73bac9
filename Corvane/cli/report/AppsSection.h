#pragma once

#include "apps/AppGroup.h"
#include "cli/report/JsonWriter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The report's applications: the largest groups, judged, and whether a window system answered.
struct AppsReport {
    std::vector<AppGroup> groups;
    /// False when no X server could be reached (every group is then not regular).
    bool windowSystemAvailable{true};
};

/// The verdict kind as JSON spells it: "canQuit", "caution" or "protected".
std::string_view safetyKindName(SafetyVerdict::Kind kind);
/// An idle time as the user reads it: "正在使用", "未知", "N 分钟", "N 小时 M 分钟".
std::string idleWords(std::optional<double> idleSeconds);

/// Appends the applications section of the text report (a blank line, a heading, one line per group).
void appendAppsText(std::string& out, const AppsReport& apps);
/// Writes the "apps" member of the JSON report (field names in README.md).
void writeAppsJson(JsonWriter& json, const AppsReport& apps);

} // namespace corvane
