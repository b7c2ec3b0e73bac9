#pragma once

#include "AIWatcherConfig.h"
#include "TranscriptSource.h"

#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace corvane {

/// The Claude Code command-line tool's transcripts: one folder per project under
/// `claudeProjectsDir`, each holding ".jsonl" transcripts that `ClaudeCodeParser` reads. All
/// project folders are listed at most once a minute; in between only folders that are recent or
/// lately held a recent transcript are opened.
class ClaudeCodeSource final : public TranscriptSource {
public:
    explicit ClaudeCodeSource(AIWatcherConfig config);

    AIToolKind kind() const override { return AIToolKind::claudeCode; }
    std::vector<FileInfo> list(Date now) override;
    std::optional<Observation> read(const FileInfo& file) override;

    /// The project label encoded in a project folder's name: "-Users-me-src-app" gives "src-app";
    /// other names are kept as they are; absent for an empty name.
    static std::optional<std::string> decodeProjectDir(std::string_view folder);

private:
    const AIWatcherConfig config_;
    std::mutex lock_;
    /// Project folders that held a recent transcript since the last full listing.
    std::set<std::string> activeDirs_;
    std::optional<Date> lastFullScan_;
};

} // namespace corvane
