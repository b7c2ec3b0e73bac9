#pragma once

namespace corvane {

/// The published fields of the application model; observers are told which one changed.
enum class ModelField {
    snapshot, verdict, aiStatuses, attentionCount, lastResult, mode, previewGroups, selection,
    isQuitting, aiExpanded, diskReport, diskScanning, diskSelection, isCleaning, diskResult,
    diskFocus, paused, finishedInfo, idleCandidates, minuteStamp, previewLoading
};

} // namespace corvane
