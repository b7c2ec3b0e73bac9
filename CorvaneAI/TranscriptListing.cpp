#include "TranscriptListing.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace corvane {

bool TranscriptFilter::accepts(const DirectoryEntry& entry) {
    return entry.isRegularFile && entry.identity && seen_.insert(*entry.identity).second;
}

std::vector<FileInfo> newestReadable(std::vector<FileInfo> files, int limit) {
    std::stable_sort(files.begin(), files.end(), [](const FileInfo& a, const FileInfo& b) { return a.mtime > b.mtime; });
    std::vector<FileInfo> kept;
    for (FileInfo& file : files) {
        if (kept.size() >= static_cast<std::size_t>(std::max(limit, 0))) break;
        if (::faccessat(AT_FDCWD, file.path.c_str(), R_OK, AT_EACCESS) == 0) kept.push_back(std::move(file));
    }
    return kept;
}

} // namespace corvane
