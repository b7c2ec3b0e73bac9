#include "TranscriptScanner.h"

#include <algorithm>
#include <string_view>

namespace corvane {

namespace {

constexpr std::size_t maxParseCacheEntries = 64;

/// Runs `release` when background work ends, however it ends.
template <class Release>
struct ReleaseOnExit {
    Release release;
    ~ReleaseOnExit() { release(); }
};
template <class Release>
ReleaseOnExit(Release) -> ReleaseOnExit<Release>;

} // namespace

TranscriptScan TranscriptScanner::startListing(Executor& pool, std::shared_ptr<TranscriptSource> source, Date now) {
    TranscriptScan scan;
    scan.source = std::move(source);
    const AIToolKind tool = scan.source->kind();
    {
        std::lock_guard lock(lock_);
        if (!listing_.insert(tool).second) return scan; // an earlier listing still runs
    }
    scan.listing = TimedTask<std::vector<FileInfo>>::start(pool, [self = shared_from_this(), source = scan.source, now] {
        ReleaseOnExit done{[&] {
            std::lock_guard lock(self->lock_);
            self->listing_.erase(source->kind());
        }};
        return std::optional<std::vector<FileInfo>>(source->list(now));
    });
    scan.listingDeadline = deadlineAfter(readTimeout_);
    return scan;
}

void TranscriptScanner::startReads(Executor& pool, TranscriptScan& scan) {
    if (!scan.listing) return;
    scan.result.files = scan.listing->wait(scan.listingDeadline);
    scan.listing.reset();
    if (!scan.result.files) return;

    scan.readDeadline = deadlineAfter(readTimeout_);
    for (const FileInfo& file : *scan.result.files) {
        const bool reusable = scan.source->reusable(file);
        std::optional<Observation> ready;
        {
            std::lock_guard lock(lock_);
            if (reading_.count(file.path) != 0) {
                scan.result.timedOut.insert(file.path);
                continue;
            }
            // An unchanged file needs no I/O: answer it here instead of waking a worker.
            const auto hit = parseCache_.find(file.path);
            if (hit != parseCache_.end() && hit->second.mtime == file.mtime && hit->second.size == file.size && reusable) {
                ready = hit->second.obs;
            } else {
                reading_.insert(file.path);
            }
        }
        if (ready) {
            scan.reads.push_back({&file, std::move(ready), nullptr});
            continue;
        }
        auto task = TimedTask<Observation>::start(pool, [self = shared_from_this(), source = scan.source, file] {
            ReleaseOnExit done{[&] {
                std::lock_guard lock(self->lock_);
                self->reading_.erase(file.path);
            }};
            return self->read(*source, file);
        });
        scan.reads.push_back({&file, std::nullopt, std::move(task)});
    }
}

std::optional<Observation> TranscriptScanner::read(TranscriptSource& source, const FileInfo& file) {
    auto obs = source.read(file);
    if (obs && source.reusable(file)) {
        std::lock_guard lock(lock_);
        parseCache_[file.path] = Cached{source.kind(), file.mtime, file.size, *obs};
    }
    return obs;
}

ScanResult TranscriptScanner::collect(TranscriptScan& scan) {
    if (!scan.result.files) return {};
    scan.result.obs.emplace();
    for (TranscriptScan::Read& item : scan.reads) {
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
    prune(scan.source->kind(), *scan.result.files);
    return std::move(scan.result);
}

void TranscriptScanner::prune(AIToolKind tool, const std::vector<FileInfo>& listed) {
    std::vector<std::string_view> paths;
    paths.reserve(listed.size());
    for (const FileInfo& file : listed) paths.push_back(file.path);
    std::sort(paths.begin(), paths.end());
    std::lock_guard lock(lock_);
    std::erase_if(parseCache_, [&](const auto& entry) {
        return entry.second.tool == tool && !std::binary_search(paths.begin(), paths.end(), entry.first);
    });
    if (parseCache_.size() <= maxParseCacheEntries) return;
    std::vector<std::pair<Date, std::string>> byAge;
    for (const auto& [path, cached] : parseCache_) byAge.emplace_back(cached.mtime, path);
    std::stable_sort(byAge.begin(), byAge.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const std::size_t excess = parseCache_.size() - maxParseCacheEntries;
    for (std::size_t i = 0; i < excess; ++i) parseCache_.erase(byAge[i].second);
}

} // namespace corvane
