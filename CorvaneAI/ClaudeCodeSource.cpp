#include "ClaudeCodeSource.h"

#include "ClaudeCodeParser.h"
#include "TailWindow.h"
#include "TranscriptListing.h"
#include "support/PathText.h"
#include "support/SplitText.h"

#include <algorithm>
#include <tuple>

namespace corvane {

namespace {

constexpr double fullScanInterval = 60;

} // namespace

ClaudeCodeSource::ClaudeCodeSource(AIWatcherConfig config) : config_(std::move(config)) {}

std::vector<FileInfo> ClaudeCodeSource::list(Date now) {
    config_.announceAccess(config_.claudeProjectsDir);
    auto projects = listDirectory(config_.claudeProjectsDir);
    if (!projects) return {};
    // A transcript reached both through its folder and through a link to that folder is taken
    // from the folder itself.
    std::sort(projects->begin(), projects->end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        return std::tie(a.isSymbolicLink, a.name) < std::tie(b.isSymbolicLink, b.name);
    });
    bool fullScan = false;
    std::set<std::string> active;
    {
        std::lock_guard lock(lock_);
        fullScan = !lastFullScan_ || secondsBetween(*lastFullScan_, now) >= fullScanInterval || *lastFullScan_ > now;
        if (fullScan) lastFullScan_ = now;
        active = activeDirs_;
    }
    std::vector<FileInfo> files;
    std::set<std::string> activeNow;
    TranscriptFilter transcripts;
    for (const DirectoryEntry& project : *projects) {
        const bool recent = !project.mtime || secondsBetween(*project.mtime, now) <= config_.recentWindow;
        if (!recent && !fullScan && active.count(project.path) == 0) continue;
        const auto entries = listDirectory(project.path);
        if (!entries) continue;
        for (const DirectoryEntry& entry : *entries) {
            if (pathExtension(entry.name) != "jsonl" || !entry.mtime) continue;
            if (secondsBetween(*entry.mtime, now) > config_.recentWindow || !transcripts.accepts(entry)) continue;
            files.push_back({entry.path, *entry.mtime, entry.size.value_or(0)});
            activeNow.insert(project.path);
        }
    }
    {
        std::lock_guard lock(lock_);
        if (fullScan) {
            activeDirs_ = std::move(activeNow);
        } else {
            active.insert(activeNow.begin(), activeNow.end());
            activeDirs_ = std::move(active);
        }
    }
    return newestReadable(std::move(files), config_.maxFilesPerTool);
}

std::optional<Observation> ClaudeCodeSource::read(const FileInfo& file) {
    config_.announceAccess(file.path);
    auto tail = TailWindow::observe(file.path, file.size, ClaudeCodeParser::parse);
    if (!tail) return std::nullopt;
    Observation obs;
    obs.id = sessionID(file.path);
    obs.project = projectOfDirectory(tail->cwd);
    if (!obs.project) obs.project = decodeProjectDir(parentFolder(file.path));
    obs.tail = std::move(*tail);
    return obs;
}

std::optional<std::string> ClaudeCodeSource::decodeProjectDir(std::string_view folder) {
    const std::string_view name = lastPathComponent(folder);
    const std::vector<std::string> pieces = splitNonEmpty(name, '-');
    if (pieces.size() > 3 && pieces.front() == "Users") {
        std::string label = pieces[2];
        for (std::size_t i = 3; i < pieces.size(); ++i) label += '-' + pieces[i];
        return label;
    }
    if (name.empty()) return std::nullopt;
    return std::string(name);
}

} // namespace corvane
