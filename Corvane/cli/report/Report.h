#pragma once

#include "disk/DiskReport.h"
#include "ai/AIToolStatus.h"
#include "memory/MemorySnapshot.h"
#include "memory/Verdict.h"
#include "cli/report/AppsSection.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Everything one terminal report shows.
struct ReportData {
    MemorySnapshot snapshot;
    Verdict verdict;
    /// The largest running applications; the section is left out when absent.
    std::optional<AppsReport> apps;
    /// A disk scan, present only when one was asked for.
    std::optional<DiskReport> disk;
    /// One poll of the AI watcher; empty when the tools were not polled.
    std::vector<AIToolStatus> ai;
};

/// The report as Chinese text for a terminal, ending in a newline.
std::string reportText(const ReportData& data);
/// The report as one JSON object (field names in README.md), ending in a newline.
std::string reportJson(const ReportData& data);

} // namespace corvane
