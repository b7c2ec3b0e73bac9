#pragma once

#include "AIWatcherConfig.h"
#include "ClaudeDesktopSource.h"
#include "ai/AIWatching.h"
#include "support/Executor.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class TranscriptScanner;
class TranscriptSource;
struct ScanResult;

/// Watches the AI tools' transcripts and processes. Each `statuses` call is one poll: it checks
/// which tools run, lists their recent session files, reads the tails of at most
/// `maxFilesPerTool` files per tool within `readTimeout` (listings and reads run on a bounded
/// background pool; work that overran is neither waited for again nor started twice) and
/// classifies every session, remembering since when each has had its activity.
class AIWatcher final : public AIWatching {
public:
    /// `readPool` runs the listings and reads; by default a process-wide pool that lives as long
    /// as the process, so a read stuck on a stalled disk never holds up the watcher's destruction.
    explicit AIWatcher(AIWatcherConfig config = {}, std::shared_ptr<Executor> readPool = nullptr);
    ~AIWatcher() override;
    AIWatcher(const AIWatcher&) = delete;
    AIWatcher& operator=(const AIWatcher&) = delete;

    /// Exactly three statuses, in the order claudeCode, claudeDesktop, codex. Safe from any
    /// thread; concurrent calls run one after the other. Blocks for about two `readTimeout`s at
    /// most (plus the desktop walk's own budget).
    std::vector<AIToolStatus> statuses() override;

    /// The pool background reads use when none is given: bounded, and never destroyed.
    static std::shared_ptr<Executor> sharedReadPool();

    /// The number of workers of the shared read pool.
    static constexpr unsigned sharedReadPoolWidth = 32;

private:
    struct Record {
        AIActivity activity{AIActivity::idle};
        std::optional<std::string> project;
        Date since{};
    };
    using RecordMap = std::map<std::string, Record>;

    AIToolStatus finish(AIToolKind kind, bool running, const ScanResult& scan, Date now);
    /// The desktop app's status; a session whose activity is unchanged keeps its first `since`.
    AIToolStatus desktopStatus(bool running, std::vector<AISession> sessions);

    const AIWatcherConfig config_;
    /// The tools whose sessions are transcript files, in status order.
    const std::vector<std::shared_ptr<TranscriptSource>> transcriptSources_;
    const ClaudeDesktopSource desktopSource_;
    std::shared_ptr<TranscriptScanner> scanner_;
    std::shared_ptr<Executor> readPool_;
    std::mutex lock_;
    std::map<AIToolKind, RecordMap> records_;
};

} // namespace corvane
