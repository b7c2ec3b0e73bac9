#include "ClaudeDesktopSource.h"

#include "support/DirectoryListing.h"
#include "JsonLine.h"
#include "support/TimedTask.h"
#include "TranscriptSource.h"
#include "support/RegularFile.h"

#include <algorithm>
#include <chrono>

namespace corvane {

namespace {

constexpr int desktopLevels = 4;
constexpr std::size_t foldersPerLevel = 6;
constexpr std::size_t candidateFiles = 5;
/// Session records are small; anything larger is not one and is not read whole.
constexpr std::size_t maxSessionFileBytes = std::size_t{512} * 1024;

struct Dated {
    std::string path;
    std::string name;
    Date date{};
};

void sortNewestFirst(std::vector<Dated>& items) {
    std::stable_sort(items.begin(), items.end(), [](const Dated& a, const Dated& b) { return a.date > b.date; });
}

std::optional<std::string> sessionTitle(const std::string& path) {
    const auto text = readRegularFile(path, maxSessionFileBytes);
    if (!text) return std::nullopt;
    std::optional<std::string> title;
    if (const auto object = JsonLine::parseObject(*text, false)) {
        if (const auto member = JsonLine::stringMember(*object, "title")) title = std::string(*member);
    }
    JsonLine::releaseLargeBuffers();
    return title;
}

} // namespace

ClaudeDesktopSource::ClaudeDesktopSource(AIWatcherConfig config) : config_(std::move(config)) {}

std::vector<AISession> ClaudeDesktopSource::sessions(Date now) const {
    config_.announceAccess(config_.claudeDesktopSessionsDir);
    const auto deadline = deadlineAfter(config_.readTimeout);
    std::vector<Dated> level{{config_.claudeDesktopSessionsDir, {}, Date{}}};
    std::optional<Date> newest;
    std::vector<Dated> candidates;
    bool overran = false;
    for (int depth = 0; depth < desktopLevels && !level.empty() && !overran; ++depth) {
        std::vector<Dated> next;
        for (const Dated& folder : level) {
            if (std::chrono::steady_clock::now() > deadline) {
                overran = true; // this level's findings still count; no deeper level is walked
                break;
            }
            const auto entries = listDirectory(folder.path);
            if (!entries) continue;
            for (const DirectoryEntry& entry : *entries) {
                if (!entry.mtime || secondsBetween(*entry.mtime, now) > config_.recentWindow) continue;
                if (entry.isDirectory) {
                    next.push_back({entry.path, entry.name, *entry.mtime});
                    continue;
                }
                newest = newest ? std::max(*newest, *entry.mtime) : *entry.mtime;
                if (entry.isRegularFile && pathExtension(entry.name) == "json" && entry.name.starts_with("local_")) {
                    candidates.push_back({entry.path, entry.name, *entry.mtime});
                }
            }
        }
        sortNewestFirst(next);
        for (const Dated& folder : next) newest = newest ? std::max(*newest, folder.date) : folder.date;
        if (next.size() > foldersPerLevel) next.resize(foldersPerLevel);
        level = std::move(next);
    }
    if (!newest) return {};
    sortNewestFirst(candidates);
    if (candidates.empty()) return {AISession{"desktop", std::nullopt, AIActivity::working, *newest}};
    std::vector<AISession> sessions;
    for (std::size_t i = 0; i < std::min(candidates.size(), candidateFiles); ++i) {
        const Dated& candidate = candidates[i];
        config_.announceAccess(candidate.path);
        sessions.push_back({sessionID(candidate.path), sessionTitle(candidate.path), AIActivity::working, candidate.date});
    }
    return sessions;
}

} // namespace corvane
