#pragma once

#include "AIWatcherConfig.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace corvane::test {

/// A temporary home with the AI tools' folders, a manual clock, an injected process list and a
/// probe that counts (and can hold up) every access the watcher announces.
class WatcherHome {
public:
    /// 2026-05-11 12:00:00 UTC.
    static Date start() { return dateFromUnixSeconds(1'778'500'800); }

    WatcherHome();

    AIWatcherConfig config() const;
    std::string claudeProjects() const { return dir / ".claude/projects"; }
    std::string codexSessions() const { return dir / ".codex/sessions"; }
    std::string desktopSessions() const { return dir / "Library/Application Support/Claude/local-agent-mode-sessions"; }

    /// Writes `content` to `relative` (parents created) and sets its modification time.
    std::string write(const std::string& relative, const std::string& content, Date mtime) const;
    /// Sets the modification time of an existing path.
    static void setMtime(const std::string& path, Date mtime);

    void setRunning(std::set<std::string> names);
    /// How often the watcher announced an access to `path`.
    int accesses(const std::string& path) const;
    /// Until `release`, an announced access to `path` blocks the announcing thread.
    void hold(const std::string& path);
    void release();

    TempDir dir;
    ManualClock clock{start()};

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable released;
        std::set<std::string> running{"claude", "codex"};
        std::map<std::string, int> accesses;
        std::set<std::string> held;
    };
    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

/// Transcript lines the parsers settle on.
namespace lines {
std::string claudeWaiting(const std::string& cwd = "/work/app");
std::string claudeBusy(const std::string& cwd = "/work/app");
std::string claudePendingTool(const std::string& cwd = "/work/app");
std::string claudeInterrupted(const std::string& cwd = "/work/app");
std::string codexMeta(const std::string& cwd);
std::string codexWaiting();
std::string codexBusy();
} // namespace lines

} // namespace corvane::test
