#include "SessionLinkResolver.h"

#include "support/DirectoryListing.h"
#include "FileTail.h"
#include "JsonLine.h"
#include "support/ModificationDate.h"
#include "support/PercentEncoding.h"
#include "support/RegularFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <tuple>
#include <vector>

namespace corvane {

namespace {

constexpr std::size_t maxCodexIDLength = 512;
constexpr std::size_t maxCLIIDLength = 128;

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool isUUIDAt(std::string_view text, std::size_t at) {
    static constexpr std::size_t groups[] = {8, 4, 4, 4, 12};
    std::size_t pos = at;
    for (std::size_t g = 0; g < 5; ++g) {
        if (g > 0) {
            if (pos >= text.size() || text[pos] != '-') return false;
            ++pos;
        }
        for (std::size_t i = 0; i < groups[g]; ++i, ++pos) {
            if (pos >= text.size() || !isHex(text[pos])) return false;
        }
    }
    return true;
}

std::size_t codePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

/// The subfolders of `path`, sorted by path; none when it cannot be listed.
std::vector<DirectoryEntry> subdirs(const std::string& path) {
    std::vector<DirectoryEntry> folders;
    if (auto entries = listDirectory(path)) {
        for (DirectoryEntry& entry : *entries) {
            if (entry.isDirectory) folders.push_back(std::move(entry));
        }
    }
    std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return folders;
}

std::string signatureNumber(const std::optional<Date>& mtime) {
    // The distant past stands in for a folder whose date cannot be read.
    const double seconds = mtime ? unixSeconds(*mtime) : -62135769600.0;
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", seconds);
    return text;
}

/// The command-line and desktop session ids a record names, when both are usable.
std::optional<std::pair<std::string, std::string>> parseRecord(std::string_view text) {
    std::optional<std::pair<std::string, std::string>> ids;
    if (const auto object = JsonLine::parseObject(text, false)) {
        const auto cli = JsonLine::stringMember(*object, "cliSessionId");
        const auto desktop = JsonLine::stringMember(*object, "sessionId");
        if (cli && !cli->empty() && desktop && SessionLinkResolver::isDesktopSessionID(*desktop)) {
            ids.emplace(std::string(*cli), std::string(*desktop));
        }
    }
    JsonLine::releaseLargeBuffers();
    return ids;
}

std::optional<Date> folderDate(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return modificationDate(status);
}

} // namespace

SessionLinkResolver::SessionLinkResolver(std::string claudeCodeSessionsDir, Clock now, ClaudeDesktopLinkBase desktopLink)
    : dir_(std::move(claudeCodeSessionsDir)), now_(std::move(now)), desktopLink_(std::move(desktopLink)) {}

SessionLink SessionLinkResolver::link(AIToolKind tool, std::string_view sessionID) {
    switch (tool) {
    case AIToolKind::claudeDesktop: return {std::nullopt, std::string(claudeBundleID), false};
    case AIToolKind::codex: {
        const auto thread = codexThreadID(sessionID);
        if (!thread) return {std::nullopt, std::string(codexBundleID), false};
        return {"codex://threads/" + *thread, std::string(codexBundleID), true};
    }
    case AIToolKind::claudeCode: {
        const auto desktop = desktopID(sessionID);
        if (!desktop || !isDesktopSessionID(*desktop) || desktopLink_.scheme.empty()) {
            return {std::nullopt, std::string(claudeBundleID), false};
        }
        return {desktopLink_.scheme + "://" + desktopLink_.host + "/claude-code-desktop/" + percentEncoded(*desktop),
                std::string(claudeBundleID), true};
    }
    }
    return {std::nullopt, std::string(claudeBundleID), false};
}

std::optional<std::string> SessionLinkResolver::codexThreadID(std::string_view sessionID) {
    if (codePoints(sessionID) > maxCodexIDLength) return std::nullopt;
    std::optional<std::string> last;
    constexpr std::size_t uuidLength = 36;
    for (std::size_t at = 0; at + uuidLength <= sessionID.size();) {
        if (isUUIDAt(sessionID, at)) {
            last = std::string(sessionID.substr(at, uuidLength));
            at += uuidLength;
        } else {
            ++at;
        }
    }
    return last;
}

bool SessionLinkResolver::isDesktopSessionID(std::string_view id) {
    constexpr std::string_view prefix = "local_";
    if (!id.starts_with(prefix)) return false;
    const std::string_view rest = id.substr(prefix.size());
    if (rest.empty() || rest.size() > 64) return false;
    return std::all_of(rest.begin(), rest.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-';
    });
}

std::string SessionLinkResolver::percentEncoded(std::string_view text) {
    return corvane::percentEncoded(text);
}

std::optional<std::string> SessionLinkResolver::desktopID(std::string_view cliSessionID) {
    if (cliSessionID.empty() || cliSessionID.size() > maxCLIIDLength) return std::nullopt;
    std::lock_guard lock(lock_);
    if (const auto it = map_.find(cliSessionID); it != map_.end()) return it->second;
    const Date t = now_();
    if (lastBuild_ && secondsBetween(*lastBuild_, t) < rebuildInterval && *lastBuild_ <= t) return std::nullopt;
    std::string signature = currentSignature();
    if (!lastBuild_ || signature != signature_) {
        build(signature, t);
        if (const auto it = map_.find(cliSessionID); it != map_.end()) return it->second;
        return std::nullopt;
    }
    lastBuild_ = t;
    return std::nullopt;
}

std::string SessionLinkResolver::currentSignature() const {
    std::string signature = signatureNumber(folderDate(dir_));
    for (const DirectoryEntry& a : subdirs(dir_)) {
        signature += ',';
        signature += signatureNumber(a.mtime);
        for (const DirectoryEntry& b : subdirs(a.path)) {
            signature += ',';
            signature += signatureNumber(b.mtime);
        }
    }
    return signature;
}

void SessionLinkResolver::build(const std::string& signature, Date at) {
    struct Found {
        std::string cli;
        std::string desktop;
        double mtime;
    };
    std::vector<Found> found;
    for (const DirectoryEntry& a : subdirs(dir_)) {
        for (const DirectoryEntry& b : subdirs(a.path)) {
            const auto entries = listDirectory(b.path);
            if (!entries) continue;
            for (const DirectoryEntry& entry : *entries) {
                if (pathExtension(entry.name) != "json" || !entry.name.starts_with("local_")) continue;
                if (!entry.size || *entry.size > maxRecordBytes) continue;
                const auto text = readRegularFile(entry.path, maxRecordBytes);
                if (!text) continue;
                if (auto record = parseRecord(*text)) found.push_back({std::move(record->first), std::move(record->second),
                                                                      entry.mtime ? unixSeconds(*entry.mtime) : 0});
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& x, const Found& y) { return x.mtime > y.mtime; });
    map_.clear();
    for (std::size_t i = 0; i < std::min(found.size(), maxRecords); ++i) map_.emplace(found[i].cli, found[i].desktop);
    lastBuild_ = at;
    signature_ = signature;
}

SessionLinkLookup freshSessionLinkLookup(std::string home, Clock now) {
    return [dir = std::move(home) + "/Library/Application Support/Claude/claude-code-sessions",
            now = std::move(now)](AIToolKind tool, const std::string& sessionID) {
        return SessionLinkResolver(dir, now).link(tool, sessionID);
    };
}

} // namespace corvane
