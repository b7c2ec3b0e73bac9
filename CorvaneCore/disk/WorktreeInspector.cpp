#include "disk/WorktreeInspector.h"

#include "support/HomeDirectory.h"
#include "support/RegularFile.h"
#include "support/SplitText.h"
#include "support/Utf8.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <set>

namespace corvane {

namespace {

using Uptime = std::chrono::steady_clock;

constexpr off_t largestGitFile = 4095;

std::optional<ChildResult> runUndecoded(const std::vector<std::string>& arguments, double timeout) {
    std::vector<std::string> environment{"PATH=/usr/bin:/bin", "GIT_OPTIONAL_LOCKS=0", "GIT_TERMINAL_PROMPT=0",
                                         "LC_ALL=C"};
    // The same home as every other reader: a relative $HOME would make git read a configuration
    // file inside the worktree it inspects.
    environment.push_back("HOME=" + homeDirectory());
    return runChild(WorktreeInspector::gitPath, arguments, environment, timeout, WorktreeInspector::outputCap);
}

bool isBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

/// The time each git command of one inspection may take: the per-command timeout, cut to what
/// is left before the deadline.
class CommandTime {
public:
    CommandTime(double timeout, std::optional<Date> deadline) : timeout_(timeout) {
        if (deadline) {
            end_ = Uptime::now() +
                   std::chrono::duration_cast<Uptime::duration>(std::chrono::duration<double>(
                       std::clamp(secondsBetween(std::chrono::system_clock::now(), *deadline), -1e6, 1e6)));
        }
    }
    /// Seconds the next command may take; absent once the deadline has passed.
    std::optional<double> next() const {
        double seconds = timeout_;
        if (end_) seconds = std::min(seconds, std::chrono::duration<double>(*end_ - Uptime::now()).count());
        if (seconds <= 0) return std::nullopt;
        return seconds;
    }

private:
    double timeout_;
    std::optional<Uptime::time_point> end_;
};

/// Settings that stop git from starting any program of the repository's or the user's
/// configuration: the file-system monitor and every hook. Without the untracked cache git looks
/// at every folder itself instead of trusting times recorded earlier. Untracked files are always
/// listed, whatever the configuration says, so that they make the folder dirty.
std::vector<std::string> quietSettings() {
    return {"core.fsmonitor=false", "core.hooksPath=/dev/null", "core.untrackedCache=false",
            "status.showUntrackedFiles=normal"};
}

std::vector<std::string> gitArguments(const std::string& dir, const std::vector<std::string>& settings,
                                      std::initializer_list<std::string> command) {
    std::vector<std::string> arguments{"-C", dir};
    for (const std::string& setting : settings) {
        arguments.push_back("-c");
        arguments.push_back(setting);
    }
    arguments.insert(arguments.end(), command);
    return arguments;
}

/// Settings that empty the clean and process commands of every filter driver named in `keys`
/// (the NUL-terminated keys "filter.<name>.clean" and "filter.<name>.process" that git's
/// configuration listing printed). Absent when a name cannot be overridden: "-c" splits at the
/// first "=", so a name holding one would set some other key and leave the filter in place.
std::optional<std::vector<std::string>> filterOverrides(const std::string& keys) {
    std::set<std::string> names;
    for (const std::string& key : splitNonEmpty(keys, '\0')) {
        constexpr std::string_view prefix = "filter.";
        const std::size_t lastDot = key.rfind('.');
        if (key.rfind(prefix, 0) != 0 || lastDot <= prefix.size()) return std::nullopt;
        std::string name = key.substr(prefix.size(), lastDot - prefix.size());
        if (name.find('=') != std::string::npos) return std::nullopt;
        names.insert(std::move(name));
    }
    std::vector<std::string> settings;
    for (const std::string& name : names) {
        settings.push_back("filter." + name + ".clean=");
        settings.push_back("filter." + name + ".process=");
    }
    return settings;
}

} // namespace

std::optional<std::string_view> reasonText(WorktreeVerdict verdict) {
    switch (verdict) {
    case WorktreeVerdict::clean: return std::nullopt;
    case WorktreeVerdict::dirty: return "有未提交改动";
    case WorktreeVerdict::unpushed: return "有未推送提交";
    case WorktreeVerdict::notWorktree: return "不是独立的 git worktree，无法判断是否安全";
    case WorktreeVerdict::unknown: return "无法确认 git 状态，请手动检查";
    }
    return "无法确认 git 状态，请手动检查";
}

namespace WorktreeInspector {

WorktreeVerdict inspect(const std::string& dir, double timeout, std::optional<Date> deadline) {
    const std::string gitFile = dir + "/.git";
    struct stat status;
    if (::lstat(gitFile.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > largestGitFile) {
        return WorktreeVerdict::notWorktree;
    }
    const std::optional<std::string> text = readRegularFile(gitFile, largestGitFile);
    if (!text || !isValidUtf8(*text)) return WorktreeVerdict::notWorktree;
    if (text->rfind("gitdir:", 0) != 0 || text->find("/worktrees/") == std::string::npos) {
        return WorktreeVerdict::notWorktree;
    }

    struct stat git;
    if (::stat(gitPath, &git) != 0 || !S_ISREG(git.st_mode) || ::access(gitPath, X_OK) != 0) {
        return WorktreeVerdict::unknown;
    }
    const CommandTime time(timeout, deadline);
    std::vector<std::string> settings = quietSettings();

    // Listing the configuration runs nothing; it names the filters whose commands must be emptied.
    auto seconds = time.next();
    if (!seconds) return WorktreeVerdict::unknown;
    const auto filters = runUndecoded(
        gitArguments(dir, settings, {"config", "-z", "--name-only", "--get-regexp", "^filter\\..+\\.(clean|process)$"}),
        *seconds);
    // git exits with 1 when no key matches.
    if (!filters || (filters->code != 0 && filters->code != 1) || filters->out.size() >= outputCap) {
        return WorktreeVerdict::unknown;
    }
    const auto overrides = filterOverrides(filters->out);
    if (!overrides) return WorktreeVerdict::unknown;
    settings.insert(settings.end(), overrides->begin(), overrides->end());

    // Judged on the raw bytes: output that is not UTF-8 (a file name in another encoding, or a
    // character cut at the size cap) still means there are changes.
    if (!(seconds = time.next())) return WorktreeVerdict::unknown;
    const auto changes = runUndecoded(gitArguments(dir, settings, {"status", "--porcelain"}), *seconds);
    if (!changes || changes->code != 0) return WorktreeVerdict::unknown;
    if (!changes->out.empty()) return WorktreeVerdict::dirty;

    if (!(seconds = time.next())) return WorktreeVerdict::unknown;
    const auto branches = run(gitArguments(dir, settings, {"branch", "-r", "--contains", "HEAD"}), *seconds);
    if (!branches || branches->code != 0) return WorktreeVerdict::unknown;
    return isBlank(branches->out) ? WorktreeVerdict::unpushed : WorktreeVerdict::clean;
}

std::optional<ChildResult> run(const std::vector<std::string>& arguments, double timeout) {
    auto result = runUndecoded(arguments, timeout);
    if (result && !isValidUtf8(result->out)) result->out.clear();
    return result;
}

} // namespace WorktreeInspector

} // namespace corvane
