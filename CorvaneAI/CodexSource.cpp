#include "CodexSource.h"

#include "CodexParser.h"
#include "FileTail.h"
#include "TailWindow.h"
#include "TranscriptListing.h"
#include "support/PathText.h"

#include <chrono>
#include <ctime>

namespace corvane {

namespace {

constexpr std::size_t firstLineBytes = 262144;

bool isArchived(const std::string& path) {
    return path.ends_with(".zst");
}

std::string localDayFolder(Date date) {
    const std::time_t t = std::chrono::system_clock::to_time_t(date);
    std::tm local{};
    ::localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y/%m/%d", &local);
    return text;
}

} // namespace

CodexSource::CodexSource(AIWatcherConfig config) : config_(std::move(config)) {}

std::vector<FileInfo> CodexSource::list(Date now) {
    std::vector<FileInfo> files;
    TranscriptFilter transcripts;
    for (const Date day : {now, addingSeconds(now, -86400)}) {
        const std::string folder = joinPath(config_.codexSessionsDir, localDayFolder(day));
        config_.announceAccess(folder);
        const auto entries = listDirectory(folder);
        if (!entries) continue;
        for (const DirectoryEntry& entry : *entries) {
            const std::string_view extension = pathExtension(entry.name);
            if (!entry.name.starts_with("rollout-") || (extension != "jsonl" && extension != "zst")) continue;
            if (!entry.mtime || secondsBetween(*entry.mtime, now) > config_.recentWindow) continue;
            if (!transcripts.accepts(entry)) continue;
            files.push_back({entry.path, *entry.mtime, entry.size.value_or(0)});
        }
    }
    return newestReadable(std::move(files), config_.maxFilesPerTool);
}

bool CodexSource::reusable(const FileInfo& file) const {
    return !isArchived(file.path);
}

std::optional<Observation> CodexSource::read(const FileInfo& file) {
    Observation obs;
    obs.id = sessionID(file.path);
    if (isArchived(file.path)) {
        // An archived rollout is compressed; only its age tells whether it was just being written.
        const double age = secondsBetween(file.mtime, config_.now());
        obs.tail = TailResult{age <= config_.confirmAfter ? RawState::busy : RawState::idle, std::nullopt, file.mtime};
        return obs;
    }
    config_.announceAccess(file.path);
    auto tail = TailWindow::observe(file.path, file.size, CodexParser::parse);
    if (!tail) return std::nullopt;

    std::optional<std::optional<std::string>> known;
    {
        std::lock_guard lock(lock_);
        if (const auto it = cwdCache_.find(file.path); it != cwdCache_.end()) known = it->second;
    }
    if (!known) {
        const auto firstLine = FileTail::readFirstLine(file.path, firstLineBytes);
        known = firstLine ? CodexParser::cwd(*firstLine) : std::nullopt;
        std::lock_guard lock(lock_);
        cwdCache_[file.path] = *known;
    }
    tail->cwd = *known;
    obs.project = projectOfDirectory(tail->cwd);
    obs.tail = std::move(*tail);
    return obs;
}

} // namespace corvane
