#include "AIWatcher.h"

#include "AIActivityRule.h"
#include "ClaudeCodeSource.h"
#include "CodexSource.h"
#include "TranscriptScanner.h"
#include "support/ConcurrentPool.h"

#include <algorithm>
#include <utility>

namespace corvane {

namespace {

void sortBySinceNewestFirst(std::vector<AISession>& sessions) {
    std::stable_sort(sessions.begin(), sessions.end(),
                     [](const AISession& a, const AISession& b) { return a.since > b.since; });
}

} // namespace

AIWatcher::AIWatcher(AIWatcherConfig config, std::shared_ptr<Executor> readPool)
    : config_(std::move(config)),
      transcriptSources_{std::make_shared<ClaudeCodeSource>(config_), std::make_shared<CodexSource>(config_)},
      desktopSource_(config_),
      scanner_(std::make_shared<TranscriptScanner>(config_.readTimeout)),
      readPool_(readPool ? std::move(readPool) : sharedReadPool()) {}

AIWatcher::~AIWatcher() = default;

std::shared_ptr<Executor> AIWatcher::sharedReadPool() {
    // Never destroyed: destroying a pool waits for its threads, and a read stuck on a stalled mount
    // would then hold up the program's exit.
    static auto* const pool = new std::shared_ptr<Executor>(std::make_shared<ConcurrentPool>(sharedReadPoolWidth));
    return *pool;
}

std::vector<AIToolStatus> AIWatcher::statuses() {
    std::lock_guard lock(lock_);
    const std::set<std::string> names = config_.processNames ? config_.processNames() : std::set<std::string>();
    const Date now = config_.now();
    const auto running = [&names](AIToolKind kind) { return names.count(std::string(processName(kind))) != 0; };

    // The transcript tools' listings and reads run on the pool while this thread walks the
    // desktop tree; every wait below ends at its own deadline.
    std::map<AIToolKind, TranscriptScan> scans;
    for (const auto& source : transcriptSources_) {
        if (running(source->kind())) scans.emplace(source->kind(), scanner_->startListing(*readPool_, source, now));
    }
    const bool desktopRunning = running(AIToolKind::claudeDesktop);
    std::vector<AISession> desktop = desktopRunning ? desktopSource_.sessions(now) : std::vector<AISession>();
    for (auto& [kind, scan] : scans) scanner_->startReads(*readPool_, scan);
    std::map<AIToolKind, ScanResult> results;
    for (auto& [kind, scan] : scans) results[kind] = scanner_->collect(scan);

    std::vector<AIToolStatus> statuses;
    statuses.reserve(allAIToolKinds.size());
    for (const AIToolKind kind : allAIToolKinds) {
        statuses.push_back(kind == AIToolKind::claudeDesktop ? desktopStatus(desktopRunning, std::exchange(desktop, {}))
                                                             : finish(kind, running(kind), results[kind], now));
    }
    return statuses;
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

AIToolStatus AIWatcher::desktopStatus(bool running, std::vector<AISession> sessions) {
    const AIToolKind kind = AIToolKind::claudeDesktop;
    if (!running) {
        records_.erase(kind);
        return {kind, {}, false};
    }
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
    return {kind, std::move(sessions), true};
}

} // namespace corvane
