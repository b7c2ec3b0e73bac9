#include "AIWatcher.h"

#include "ClaudeCodeParser.h"
#include "CodexParser.h"
#include "support/DirectoryListing.h"
#include "FileTail.h"
#include "TailWindow.h"
#include "support/TimedTask.h"
#include "WatchedFile.h"
#include "support/ConcurrentPool.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <set>
#include <tuple>

namespace corvane {

namespace {

constexpr std::size_t maxParseCacheEntries = 64;
constexpr double fullScanInterval = 60;
constexpr std::size_t codexFirstLineBytes = 262144;

AIActivity activityFor(RawState state, double age, const AIWatcherConfig& config) {
    switch (state) {
    case RawState::waitingText: return age >= config.waitingDebounce ? AIActivity::waitingForUser : AIActivity::working;
    case RawState::pendingTool: return age > config.confirmAfter ? AIActivity::mayNeedConfirmation : AIActivity::working;
    case RawState::busy:
    case RawState::unknown: return age <= config.workingStaleAfter ? AIActivity::working : AIActivity::idle;
    case RawState::idle: return AIActivity::idle;
    }
    return AIActivity::idle;
}

/// The newest `limit` of `files` that this process may read, newest first: a locked file named like
/// a transcript is no session and takes no slot. Only as many files as needed are checked.
std::vector<FileInfo> newestReadable(std::vector<FileInfo> files, int limit) {
    std::stable_sort(files.begin(), files.end(), [](const FileInfo& a, const FileInfo& b) { return a.mtime > b.mtime; });
    std::vector<FileInfo> kept;
    for (FileInfo& file : files) {
        if (kept.size() >= static_cast<std::size_t>(std::max(limit, 0))) break;
        if (::faccessat(AT_FDCWD, file.path.c_str(), R_OK, AT_EACCESS) == 0) kept.push_back(std::move(file));
    }
    return kept;
}

void sortBySinceNewestFirst(std::vector<AISession>& sessions) {
    std::stable_sort(sessions.begin(), sessions.end(),
                     [](const AISession& a, const AISession& b) { return a.since > b.since; });
}

std::string localDayFolder(Date date) {
    const std::time_t t = std::chrono::system_clock::to_time_t(date);
    std::tm local{};
    ::localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y/%m/%d", &local);
    return text;
}

std::string joinPath(const std::string& folder, std::string_view name) {
    if (!folder.empty() && folder.back() == '/') return folder + std::string(name);
    return folder + "/" + std::string(name);
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

/// Keeps only real transcripts, so that nothing else takes one of the newest slots: regular files
/// (a folder or FIFO named like one is no session), each file once however many links lead to it.
class TranscriptFilter {
public:
    bool accepts(const DirectoryEntry& entry) {
        return entry.isRegularFile && entry.identity && seen_.insert(*entry.identity).second;
    }

private:
    std::set<FileIdentity> seen_;
};

std::optional<std::string> lastComponentLabel(const std::optional<std::string>& directory) {
    if (!directory || directory->empty()) return std::nullopt;
    const std::string_view last = lastPathComponent(*directory);
    if (last.empty()) return std::nullopt;
    return std::string(last);
}

} // namespace

struct AIWatcher::ScanResult {
    /// Absent when the listing was skipped or overran.
    std::optional<std::vector<Observation>> obs;
    std::optional<std::vector<FileInfo>> files;
    /// Listed files without a fresh observation whose read overran or is still running from an
    /// earlier poll. A file whose read failed is neither here nor observed: it is no session.
    std::set<std::string> timedOut;
};

/// One tool's scan in progress.
struct AIWatcher::Scan {
    struct Read {
        const FileInfo* file;
        std::optional<Observation> ready;
        std::shared_ptr<TimedTask<Observation>> task;
    };
    std::string key;
    std::optional<Observation> (Scanner::*read)(const FileInfo&) = nullptr;
    std::shared_ptr<TimedTask<std::vector<FileInfo>>> listing;
    std::chrono::steady_clock::time_point listingDeadline;
    std::chrono::steady_clock::time_point readDeadline;
    std::vector<Read> reads;
    ScanResult result;
};

/// The part of the watcher that background work shares: the in-flight set and the caches. Tasks
/// hold it by a shared pointer, so a task that outlives a poll (or the watcher) stays safe.
struct AIWatcher::Scanner : std::enable_shared_from_this<AIWatcher::Scanner> {
    using Lister = std::vector<FileInfo> (Scanner::*)(Date);
    using Reader = std::optional<Observation> (Scanner::*)(const FileInfo&);

    struct Cached {
        std::string tool;
        Date mtime{};
        std::uint64_t size{};
        Observation obs;
    };

    explicit Scanner(const AIWatcherConfig& config) : config(config) {}

    // One tool's bounded scan runs in three steps, so that the polling thread can drive both
    // tools' scans (and the desktop walk) at once without a thread of its own per scan. `pool`
    // must outlive each call, not the work it starts.

    /// Starts the listing, unless an earlier one for this tool still runs.
    Scan startListing(Executor& pool, const std::string& key, Lister list, Reader read, Date now);
    /// Waits for the listing until its deadline, then starts a read per listed file that is
    /// neither cached unchanged nor still being read by an earlier poll.
    void startReads(Executor& pool, Scan& scan);
    /// Waits for the reads until their shared deadline and prunes the parse cache.
    ScanResult collect(Scan& scan);
    std::vector<FileInfo> listClaudeFiles(Date now);
    std::vector<FileInfo> listCodexFiles(Date now);
    std::optional<Observation> readClaude(const FileInfo& file);
    std::optional<Observation> readCodex(const FileInfo& file);
    std::optional<Observation> cachedObs(const FileInfo& file);
    void store(const std::string& tool, const FileInfo& file, const Observation& obs);
    void probe(const std::string& path) const {
        if (config.fileAccessProbe) config.fileAccessProbe(path);
    }
    void release(const std::string& key) {
        std::lock_guard lock(inflightLock);
        inflight.erase(key);
    }

    const AIWatcherConfig config;

    std::mutex inflightLock;
    std::set<std::string> inflight;
    std::map<std::string, std::optional<std::string>> codexCwdCache;
    std::map<std::string, Cached> parseCache;
    std::set<std::string> claudeActiveDirs;
    std::optional<Date> claudeLastFullScan;
};


namespace {

/// Removes an in-flight key when background work ends, however it ends.
template <class Release>
struct ReleaseOnExit {
    Release release;
    ~ReleaseOnExit() { release(); }
};
template <class Release>
ReleaseOnExit(Release) -> ReleaseOnExit<Release>;

} // namespace

AIWatcher::Scan AIWatcher::Scanner::startListing(Executor& pool, const std::string& key, Lister list, Reader read,
                                                  Date now) {
    Scan scan;
    scan.key = key;
    scan.read = read;
    const std::string listKey = "list:" + key;
    {
        std::lock_guard lock(inflightLock);
        if (!inflight.insert(listKey).second) return scan; // an earlier listing still runs
    }
    auto self = shared_from_this();
    scan.listing = TimedTask<std::vector<FileInfo>>::start(pool, [self, list, listKey, now] {
        ReleaseOnExit done{[&] { self->release(listKey); }};
        return std::optional<std::vector<FileInfo>>(((*self).*list)(now));
    });
    scan.listingDeadline = deadlineAfter(config.readTimeout);
    return scan;
}

void AIWatcher::Scanner::startReads(Executor& pool, Scan& scan) {
    if (!scan.listing) return;
    scan.result.files = scan.listing->wait(scan.listingDeadline);
    scan.listing.reset();
    if (!scan.result.files) return;

    scan.readDeadline = deadlineAfter(config.readTimeout);
    auto self = shared_from_this();
    for (const FileInfo& file : *scan.result.files) {
        std::optional<Observation> ready;
        {
            std::lock_guard lock(inflightLock);
            if (inflight.count(file.path) != 0) {
                scan.result.timedOut.insert(file.path);
                continue;
            }
            // An unchanged file needs no I/O: answer it here instead of waking a worker.
            const auto hit = parseCache.find(file.path);
            if (hit != parseCache.end() && hit->second.mtime == file.mtime && hit->second.size == file.size) {
                ready = hit->second.obs;
            } else {
                inflight.insert(file.path);
            }
        }
        if (ready) {
            scan.reads.push_back({&file, std::move(ready), nullptr});
            continue;
        }
        auto task = TimedTask<Observation>::start(pool, [self, read = scan.read, file] {
            ReleaseOnExit done{[&] { self->release(file.path); }};
            return ((*self).*read)(file);
        });
        scan.reads.push_back({&file, std::nullopt, std::move(task)});
    }
}

AIWatcher::ScanResult AIWatcher::Scanner::collect(Scan& scan) {
    if (!scan.result.files) return {};
    scan.result.obs.emplace();
    for (Scan::Read& item : scan.reads) {
        if (!item.task) {
            scan.result.obs->push_back(std::move(*item.ready));
            continue;
        }
        auto outcome = item.task->waitForOutcome(scan.readDeadline);
        if (outcome.value) {
            scan.result.obs->push_back(std::move(*outcome.value));
        } else if (!outcome.finished) {
            scan.result.timedOut.insert(item.file->path);
        }
    }
    scan.reads.clear();

    std::lock_guard lock(inflightLock);
    std::vector<std::string_view> listed;
    for (const FileInfo& file : *scan.result.files) listed.push_back(file.path);
    std::sort(listed.begin(), listed.end());
    std::erase_if(parseCache, [&](const auto& entry) {
        return entry.second.tool == scan.key && !std::binary_search(listed.begin(), listed.end(), entry.first);
    });
    if (parseCache.size() > maxParseCacheEntries) {
        std::vector<std::pair<Date, std::string>> byAge;
        for (const auto& [path, cached] : parseCache) byAge.emplace_back(cached.mtime, path);
        std::stable_sort(byAge.begin(), byAge.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        const std::size_t excess = parseCache.size() - maxParseCacheEntries;
        for (std::size_t i = 0; i < excess; ++i) parseCache.erase(byAge[i].second);
    }
    return std::move(scan.result);
}

std::vector<FileInfo> AIWatcher::Scanner::listClaudeFiles(Date now) {
    probe(config.claudeProjectsDir);
    auto projects = listDirectory(config.claudeProjectsDir);
    if (!projects) return {};
    // A transcript reached both through its folder and through a link to that folder is taken
    // from the folder itself.
    std::sort(projects->begin(), projects->end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        return std::tie(a.isSymbolicLink, a.name) < std::tie(b.isSymbolicLink, b.name);
    });
    bool fullScan = false;
    std::set<std::string> active;
    {
        std::lock_guard lock(inflightLock);
        fullScan = !claudeLastFullScan || secondsBetween(*claudeLastFullScan, now) >= fullScanInterval ||
                   *claudeLastFullScan > now;
        if (fullScan) claudeLastFullScan = now;
        active = claudeActiveDirs;
    }
    std::vector<FileInfo> files;
    std::set<std::string> activeNow;
    TranscriptFilter transcripts;
    for (const DirectoryEntry& project : *projects) {
        const bool recent = !project.mtime || secondsBetween(*project.mtime, now) <= config.recentWindow;
        if (!recent && !fullScan && active.count(project.path) == 0) continue;
        const auto entries = listDirectory(project.path);
        if (!entries) continue;
        for (const DirectoryEntry& entry : *entries) {
            if (pathExtension(entry.name) != "jsonl" || !entry.mtime) continue;
            if (secondsBetween(*entry.mtime, now) > config.recentWindow || !transcripts.accepts(entry)) continue;
            files.push_back({entry.path, *entry.mtime, entry.size.value_or(0)});
            activeNow.insert(project.path);
        }
    }
    {
        std::lock_guard lock(inflightLock);
        if (fullScan) {
            claudeActiveDirs = std::move(activeNow);
        } else {
            active.insert(activeNow.begin(), activeNow.end());
            claudeActiveDirs = std::move(active);
        }
    }
    return newestReadable(std::move(files), config.maxFilesPerTool);
}

std::vector<FileInfo> AIWatcher::Scanner::listCodexFiles(Date now) {
    std::vector<FileInfo> files;
    TranscriptFilter transcripts;
    for (const Date day : {now, addingSeconds(now, -86400)}) {
        const std::string folder = joinPath(config.codexSessionsDir, localDayFolder(day));
        probe(folder);
        const auto entries = listDirectory(folder);
        if (!entries) continue;
        for (const DirectoryEntry& entry : *entries) {
            const std::string_view extension = pathExtension(entry.name);
            if (!entry.name.starts_with("rollout-") || (extension != "jsonl" && extension != "zst")) continue;
            if (!entry.mtime || secondsBetween(*entry.mtime, now) > config.recentWindow) continue;
            if (!transcripts.accepts(entry)) continue;
            files.push_back({entry.path, *entry.mtime, entry.size.value_or(0)});
        }
    }
    return newestReadable(std::move(files), config.maxFilesPerTool);
}

std::optional<Observation> AIWatcher::Scanner::readClaude(const FileInfo& file) {
    if (auto cached = cachedObs(file)) return cached;
    probe(file.path);
    auto tail = TailWindow::observe(file.path, file.size, ClaudeCodeParser::parse);
    if (!tail) return std::nullopt;
    Observation obs;
    obs.id = sessionID(file.path);
    obs.project = lastComponentLabel(tail->cwd);
    if (!obs.project) obs.project = decodeProjectDir(parentFolder(file.path));
    obs.tail = std::move(*tail);
    store("claude", file, obs);
    return obs;
}

std::optional<Observation> AIWatcher::Scanner::readCodex(const FileInfo& file) {
    Observation obs;
    obs.id = sessionID(file.path);
    if (file.path.ends_with(".zst")) {
        // An archived rollout is compressed; only its age tells whether it was just being written.
        const double age = secondsBetween(file.mtime, config.now());
        obs.tail = TailResult{age <= config.confirmAfter ? RawState::busy : RawState::idle, std::nullopt, file.mtime};
        return obs;
    }
    if (auto cached = cachedObs(file)) return cached;
    probe(file.path);
    auto tail = TailWindow::observe(file.path, file.size, CodexParser::parse);
    if (!tail) return std::nullopt;

    std::optional<std::optional<std::string>> known;
    {
        std::lock_guard lock(inflightLock);
        if (const auto it = codexCwdCache.find(file.path); it != codexCwdCache.end()) known = it->second;
    }
    if (!known) {
        const auto firstLine = FileTail::readFirstLine(file.path, codexFirstLineBytes);
        known = firstLine ? CodexParser::cwd(*firstLine) : std::nullopt;
        std::lock_guard lock(inflightLock);
        codexCwdCache[file.path] = *known;
    }
    tail->cwd = *known;
    obs.project = lastComponentLabel(tail->cwd);
    obs.tail = std::move(*tail);
    store("codex", file, obs);
    return obs;
}

std::optional<Observation> AIWatcher::Scanner::cachedObs(const FileInfo& file) {
    std::lock_guard lock(inflightLock);
    const auto it = parseCache.find(file.path);
    if (it == parseCache.end() || it->second.mtime != file.mtime || it->second.size != file.size) return std::nullopt;
    return it->second.obs;
}

void AIWatcher::Scanner::store(const std::string& tool, const FileInfo& file, const Observation& obs) {
    std::lock_guard lock(inflightLock);
    parseCache[file.path] = Cached{tool, file.mtime, file.size, obs};
}

AIWatcher::AIWatcher(AIWatcherConfig config, std::shared_ptr<Executor> readPool)
    : config_(std::move(config)),
      scanner_(std::make_shared<Scanner>(config_)),
      readPool_(readPool ? std::move(readPool) : sharedReadPool()) {}

AIWatcher::~AIWatcher() = default;

std::shared_ptr<Executor> AIWatcher::sharedReadPool() {
    // Never destroyed: destroying a pool joins its threads, and a read stuck on a stalled mount
    // would then hold up the program's exit.
    static auto* const pool = new std::shared_ptr<Executor>(std::make_shared<ConcurrentPool>(sharedReadPoolWidth));
    return *pool;
}

std::string AIWatcher::sessionID(std::string_view path) {
    std::string_view name = lastPathComponent(path);
    if (name.ends_with(".zst")) name.remove_suffix(4);
    if (name.ends_with(".jsonl")) name.remove_suffix(6);
    return std::string(name);
}

std::optional<std::string> AIWatcher::decodeProjectDir(std::string_view folder) {
    const std::string_view name = lastPathComponent(folder);
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('-', start);
        if (end == std::string_view::npos) end = name.size();
        if (end > start) pieces.push_back(name.substr(start, end - start));
        start = end + 1;
    }
    if (pieces.size() > 3 && pieces.front() == "Users") {
        std::string label(pieces[2]);
        for (std::size_t i = 3; i < pieces.size(); ++i) {
            label += '-';
            label.append(pieces[i]);
        }
        return label;
    }
    if (name.empty()) return std::nullopt;
    return std::string(name);
}

std::vector<AIToolStatus> AIWatcher::statuses() {
    std::lock_guard lock(lock_);
    const std::set<std::string> names = config_.processNames ? config_.processNames() : std::set<std::string>();
    const Date now = config_.now();
    const bool claudeRunning = names.count(std::string(processName(AIToolKind::claudeCode))) != 0;
    const bool desktopRunning = names.count(std::string(processName(AIToolKind::claudeDesktop))) != 0;
    const bool codexRunning = names.count(std::string(processName(AIToolKind::codex))) != 0;

    // Both tools' listings and reads run on the pool while this thread walks the desktop tree;
    // every wait below ends at its own deadline.
    std::optional<Scan> claudeScan;
    std::optional<Scan> codexScan;
    if (claudeRunning) {
        claudeScan = scanner_->startListing(*readPool_, "claude", &Scanner::listClaudeFiles, &Scanner::readClaude, now);
    }
    if (codexRunning) {
        codexScan = scanner_->startListing(*readPool_, "codex", &Scanner::listCodexFiles, &Scanner::readCodex, now);
    }
    std::vector<AISession> desktop = desktopRunning ? scanDesktop(now) : std::vector<AISession>();
    if (claudeScan) scanner_->startReads(*readPool_, *claudeScan);
    if (codexScan) scanner_->startReads(*readPool_, *codexScan);
    const ScanResult claude = claudeScan ? scanner_->collect(*claudeScan) : ScanResult{};
    const ScanResult codex = codexScan ? scanner_->collect(*codexScan) : ScanResult{};

    std::vector<AIToolStatus> result;
    result.push_back(finish(AIToolKind::claudeCode, claudeRunning, claude, now));
    if (desktopRunning) {
        result.push_back({AIToolKind::claudeDesktop, stabilize(AIToolKind::claudeDesktop, std::move(desktop)), true});
    } else {
        records_.erase(AIToolKind::claudeDesktop);
        result.push_back({AIToolKind::claudeDesktop, {}, false});
    }
    result.push_back(finish(AIToolKind::codex, codexRunning, codex, now));
    return result;
}

AIToolStatus AIWatcher::finish(AIToolKind kind, bool running, const ScanResult& scan, Date now) {
    AIToolStatus status{kind, {}, running};
    if (!running) {
        records_.erase(kind);
        return status;
    }
    RecordMap previous = std::move(records_[kind]);
    if (!scan.obs || !scan.files) {
        for (const auto& [id, record] : previous) status.sessions.push_back({id, record.project, record.activity, record.since});
        sortBySinceNewestFirst(status.sessions);
        records_[kind] = std::move(previous);
        return status;
    }
    RecordMap current;
    for (const Observation& obs : *scan.obs) {
        const AIActivity activity = activityFor(obs.tail.state, secondsBetween(obs.tail.mtime, now), config_);
        Record record{activity, obs.project, obs.tail.mtime};
        if (const auto it = previous.find(obs.id); it != previous.end() && it->second.activity == activity) {
            record.since = it->second.since;
            if (!record.project) record.project = it->second.project;
        }
        current[obs.id] = record;
        status.sessions.push_back({obs.id, record.project, record.activity, record.since});
    }
    for (const FileInfo& file : *scan.files) {
        if (scan.timedOut.count(file.path) == 0) continue;
        const std::string id = sessionID(file.path);
        const auto it = previous.find(id);
        const Record record = it != previous.end() ? it->second : Record{AIActivity::working, std::nullopt, now};
        current[id] = record;
        status.sessions.push_back({id, record.project, record.activity, record.since});
    }
    records_[kind] = std::move(current);
    sortBySinceNewestFirst(status.sessions);
    return status;
}

std::vector<AISession> AIWatcher::stabilize(AIToolKind kind, std::vector<AISession> sessions) {
    const RecordMap previous = std::move(records_[kind]);
    RecordMap current;
    for (AISession& session : sessions) {
        if (const auto it = previous.find(session.id); it != previous.end() && it->second.activity == session.activity) {
            session.since = it->second.since;
            if (!session.project) session.project = it->second.project;
        }
        current[session.id] = Record{session.activity, session.project, session.since};
    }
    records_[kind] = std::move(current);
    sortBySinceNewestFirst(sessions);
    return sessions;
}

} // namespace corvane
