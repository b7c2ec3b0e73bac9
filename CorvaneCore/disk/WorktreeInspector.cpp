#include "disk/WorktreeInspector.h"

#include "support/RegularFile.h"
#include "support/Utf8.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace corvane {

namespace {

constexpr off_t largestGitFile = 4095;

std::optional<ChildResult> runUndecoded(const std::vector<std::string>& arguments, double timeout) {
    std::vector<std::string> environment{"PATH=/usr/bin:/bin", "GIT_OPTIONAL_LOCKS=0", "GIT_TERMINAL_PROMPT=0",
                                         "LC_ALL=C"};
    if (const char* home = std::getenv("HOME")) environment.push_back(std::string("HOME=") + home);
    return runChild(WorktreeInspector::gitPath, arguments, environment, timeout, WorktreeInspector::outputCap);
}

bool isBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
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

WorktreeVerdict inspect(const std::string& dir, double timeout) {
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
    // Judged on the raw bytes: output that is not UTF-8 (a file name in another encoding, or a
    // character cut at the size cap) still means there are changes.
    const auto changes = runUndecoded({"-C", dir, "status", "--porcelain"}, timeout);
    if (!changes || changes->code != 0) return WorktreeVerdict::unknown;
    if (!changes->out.empty()) return WorktreeVerdict::dirty;

    const auto branches = run({"-C", dir, "branch", "-r", "--contains", "HEAD"}, timeout);
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
