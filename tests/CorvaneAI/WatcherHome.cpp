#include "WatcherHome.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <condition_variable>
#include <stdexcept>

namespace corvane::test {

WatcherHome::WatcherHome() {
    dir.makeDirectory(".claude/projects");
    dir.makeDirectory(".codex/sessions");
}

AIWatcherConfig WatcherHome::config() const {
    AIWatcherConfig config;
    config.claudeProjectsDir = claudeProjects();
    config.codexSessionsDir = codexSessions();
    config.claudeDesktopSessionsDir = desktopSessions();
    config.now = clock.clock();
    config.processNames = [shared = shared_] {
        std::lock_guard lock(shared->mutex);
        return shared->running;
    };
    config.fileAccessProbe = [shared = shared_](const std::string& path) {
        std::unique_lock lock(shared->mutex);
        ++shared->accesses[path];
        shared->released.wait(lock, [&] { return shared->held.count(path) == 0; });
    };
    return config;
}

std::string WatcherHome::write(const std::string& relative, const std::string& content, Date mtime) const {
    const std::string path = dir.write(relative, content);
    setMtime(path, mtime);
    return path;
}

void WatcherHome::setMtime(const std::string& path, Date mtime) {
    const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(mtime.time_since_epoch()).count();
    const timespec times[2] = {{nanos / 1'000'000'000, nanos % 1'000'000'000}, {nanos / 1'000'000'000, nanos % 1'000'000'000}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) throw std::runtime_error("utimensat " + path);
}

void WatcherHome::setRunning(std::set<std::string> names) {
    std::lock_guard lock(shared_->mutex);
    shared_->running = std::move(names);
}

int WatcherHome::accesses(const std::string& path) const {
    std::lock_guard lock(shared_->mutex);
    const auto it = shared_->accesses.find(path);
    return it == shared_->accesses.end() ? 0 : it->second;
}

void WatcherHome::hold(const std::string& path) {
    std::lock_guard lock(shared_->mutex);
    shared_->held.insert(path);
}

void WatcherHome::release() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->held.clear();
    }
    shared_->released.notify_all();
}

namespace lines {

std::string claudeWaiting(const std::string& cwd) {
    return R"({"type":"assistant","cwd":")" + cwd +
           R"(","message":{"content":[{"type":"text","text":"done"}],"stop_reason":"end_turn"}})" + "\n";
}
std::string claudeBusy(const std::string& cwd) {
    return R"({"type":"user","cwd":")" + cwd + R"(","message":{"content":"go on"}})" + "\n";
}
std::string claudePendingTool(const std::string& cwd) {
    return R"({"type":"assistant","cwd":")" + cwd +
           R"(","message":{"content":[{"type":"tool_use","id":"t1","name":"Bash"}],"stop_reason":"tool_use"}})" + "\n";
}
std::string claudeInterrupted(const std::string& cwd) {
    return R"({"type":"user","cwd":")" + cwd + R"(","message":{"content":"[Request interrupted by user]"}})" + "\n";
}
std::string codexMeta(const std::string& cwd) {
    return R"({"type":"session_meta","payload":{"id":"x","cwd":")" + cwd + R"(","originator":"codex_cli_rs"}})" + "\n";
}
std::string codexWaiting() {
    return R"({"type":"event_msg","payload":{"type":"task_complete"}})" "\n";
}
std::string codexBusy() {
    return R"({"type":"event_msg","payload":{"type":"task_started"}})" "\n";
}

} // namespace lines

} // namespace corvane::test
