#pragma once

#include "support/TimedTask.h"
#include "TranscriptSource.h"
#include "support/Executor.h"

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {

/// What one tool's bounded scan found.
struct ScanResult {
    /// Absent when the listing was skipped or overran.
    std::optional<std::vector<Observation>> obs;
    std::optional<std::vector<FileInfo>> files;
    /// Listed files without a fresh observation whose read overran or is still running from an
    /// earlier poll. A file whose read failed is neither here nor observed: it is no session.
    std::set<std::string> timedOut;
};

/// One tool's scan in progress.
struct TranscriptScan {
    struct Read {
        const FileInfo* file;
        std::optional<Observation> ready;
        std::shared_ptr<TimedTask<Observation>> task;
    };
    std::shared_ptr<TranscriptSource> source;
    std::shared_ptr<TimedTask<std::vector<FileInfo>>> listing;
    std::chrono::steady_clock::time_point listingDeadline;
    std::chrono::steady_clock::time_point readDeadline;
    std::vector<Read> reads;
    ScanResult result;
};

/// Runs the transcript sources' listings and reads as background work that a poll waits for only
/// until `readTimeout`, never starting a listing or read that an earlier poll left running, and
/// answers unchanged files from a parse cache (the newest 64 entries, each tool's pruned to its
/// listed files). Background work holds the scanner by a shared pointer, so work that outlives a
/// poll stays safe; create it with `std::make_shared`. Thread-safe.
class TranscriptScanner : public std::enable_shared_from_this<TranscriptScanner> {
public:
    explicit TranscriptScanner(double readTimeout) : readTimeout_(readTimeout) {}

    // A scan runs in three steps, so that the polling thread can drive several tools' scans (and
    // other work) at once without a thread of its own per scan. `pool` must outlive each call,
    // not the work it starts.

    /// Starts listing `source` at `now`, unless an earlier listing of it still runs.
    TranscriptScan startListing(Executor& pool, std::shared_ptr<TranscriptSource> source, Date now);
    /// Waits for the listing until its deadline, then starts a read per listed file that is
    /// neither cached unchanged nor still being read by an earlier poll.
    void startReads(Executor& pool, TranscriptScan& scan);
    /// Waits for the reads until their shared deadline and prunes the parse cache.
    ScanResult collect(TranscriptScan& scan);

private:
    struct Cached {
        AIToolKind tool{};
        Date mtime{};
        std::uint64_t size{};
        Observation obs;
    };

    std::optional<Observation> read(TranscriptSource& source, const FileInfo& file);
    void prune(AIToolKind tool, const std::vector<FileInfo>& listed);

    const double readTimeout_;
    std::mutex lock_;
    /// Tools whose listing runs.
    std::set<AIToolKind> listing_;
    /// Paths whose read runs.
    std::set<std::string> reading_;
    std::map<std::string, Cached> parseCache_;
};

} // namespace corvane
