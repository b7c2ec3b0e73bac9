#pragma once

#include "WatchedFile.h"
#include "ai/AIToolKind.h"
#include "support/Date.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// One AI tool whose sessions are transcript files: where they lie, which of them are recent and
/// which parser reads one. Listings and reads run on background workers, several at once, and may
/// outlive the poll that started them; an implementation guards its own state.
class TranscriptSource {
public:
    virtual ~TranscriptSource() = default;

    /// The tool whose transcripts these are.
    virtual AIToolKind kind() const = 0;
    /// The transcripts recent at `now`, newest first, at most `maxFilesPerTool`; an unreadable
    /// tree gives none.
    virtual std::vector<FileInfo> list(Date now) = 0;
    /// What `file` says now; absent when it cannot be read.
    virtual std::optional<Observation> read(const FileInfo& file) = 0;
    /// Whether an observation of `file` stays true while the file keeps its date and size, so
    /// that it may be answered from a cache instead of read again.
    virtual bool reusable(const FileInfo& file) const;
};

/// A transcript's session id: its file name without a trailing ".zst", then without a trailing
/// ".jsonl".
std::string sessionID(std::string_view path);
/// The project a session's working directory names: its last component; absent when there is
/// no directory or it names none.
std::optional<std::string> projectOfDirectory(const std::optional<std::string>& directory);

} // namespace corvane
