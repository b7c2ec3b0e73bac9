#pragma once

#include "support/DirectoryListing.h"
#include "WatchedFile.h"

#include <set>
#include <vector>

namespace corvane {

/// Keeps only real transcripts, so that nothing else takes one of the newest slots: regular files
/// (a folder or FIFO named like one is no session), each file once however many links lead to it.
class TranscriptFilter {
public:
    /// True the first time a regular file is offered; false for anything else.
    bool accepts(const DirectoryEntry& entry);

private:
    std::set<FileIdentity> seen_;
};

/// The newest `limit` of `files` that this process may read, newest first: a locked file named
/// like a transcript is no session and takes no slot. Only as many files as needed are checked.
std::vector<FileInfo> newestReadable(std::vector<FileInfo> files, int limit);

} // namespace corvane
