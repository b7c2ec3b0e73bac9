#pragma once

#include "AIWatcherConfig.h"
#include "TranscriptSource.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace corvane {

/// Codex's rollout files: "rollout-*.jsonl" (read by `CodexParser`) and archived
/// "rollout-*.jsonl.zst" in day folders ("yyyy/MM/dd", local time) under `codexSessionsDir`; only
/// today's and yesterday's folders are looked at. A rollout's project is the working directory
/// its first line names, read once per file.
class CodexSource final : public TranscriptSource {
public:
    explicit CodexSource(AIWatcherConfig config);

    AIToolKind kind() const override { return AIToolKind::codex; }
    std::vector<FileInfo> list(Date now) override;
    /// An archived rollout is not read: it is busy while no older than `confirmAfter` by the
    /// configured clock, else idle, and has no project.
    std::optional<Observation> read(const FileInfo& file) override;
    /// False for archived rollouts, whose state follows the clock rather than their content.
    bool reusable(const FileInfo& file) const override;

private:
    const AIWatcherConfig config_;
    std::mutex lock_;
    /// The working directory each rollout's first line names, absent ones included; never pruned.
    std::map<std::string, std::optional<std::string>> cwdCache_;
};

} // namespace corvane
