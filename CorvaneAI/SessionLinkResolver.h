#pragma once

#include "ai/AIToolKind.h"
#include "ai/SessionLink.h"
#include "support/Clock.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The scheme and host the Claude desktop app registers for its own links; the path
/// "claude-code-desktop/<session>" follows them.
struct ClaudeDesktopLinkBase {
    std::string scheme = "claude";
    std::string host = "claude.ai";
};

/// Turns a tool and a session id into a link into the tool's host application. Codex sessions are
/// addressed by the thread UUID in their id; a Claude Code session by the desktop app's session
/// that names it, found by scanning the desktop app's session records (cached, rebuilt at most
/// every 30 seconds and only when the folder tree changed). Thread-safe; a rebuild runs under the
/// lock, so concurrent lookups wait for it. Disk and parse problems only mean "no link".
class SessionLinkResolver {
public:
    static constexpr std::string_view codexBundleID = "com.openai.codex";
    static constexpr std::string_view claudeBundleID = "com.anthropic.claudefordesktop";
    /// Session record files larger than this are not read.
    static constexpr std::uint64_t maxRecordBytes = 524288;
    /// At most this many records are considered per rebuild.
    static constexpr std::size_t maxRecords = 1024;
    static constexpr double rebuildInterval = 30;

    explicit SessionLinkResolver(std::string claudeCodeSessionsDir, Clock now = systemClock(),
                                 ClaudeDesktopLinkBase desktopLink = {});

    SessionLink link(AIToolKind tool, std::string_view sessionID);

    /// The last thread UUID in a Codex session id (ids over 512 characters have none).
    static std::optional<std::string> codexThreadID(std::string_view sessionID);
    /// True when `id` is "local_" followed by 1 to 64 letters, digits or "-".
    static bool isDesktopSessionID(std::string_view id);
    /// `text` with everything but letters, digits, "-", "_", "." and "~" percent-encoded (UTF-8).
    static std::string percentEncoded(std::string_view text);

private:
    std::optional<std::string> desktopID(std::string_view cliSessionID);
    std::string currentSignature() const;
    void build(const std::string& signature, Date at);

    const std::string dir_;
    const Clock now_;
    const ClaudeDesktopLinkBase desktopLink_;
    std::mutex lock_;
    std::map<std::string, std::string, std::less<>> map_;
    std::optional<Date> lastBuild_;
    std::string signature_;
};

/// Resolves a jump's link from a tool and a session id.
using SessionLinkLookup = std::function<SessionLink(AIToolKind tool, const std::string& sessionID)>;

/// The lookup every jump uses: each call makes a resolver of its own over the desktop app's
/// code-session records under `home`, so no cache or throttle outlives one lookup and a record
/// written since the last jump is always found. Any thread.
SessionLinkLookup freshSessionLinkLookup(std::string home, Clock now = systemClock());

} // namespace corvane
