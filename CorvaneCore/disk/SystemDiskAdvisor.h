#pragma once

#include "disk/DiskAdvising.h"
#include "disk/DiskLayout.h"
#include "support/DiskSpace.h"
#include "support/Clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {

/// Limits of a scan.
struct DiskScanTuning {
    /// Smallest size that becomes an item.
    std::uint64_t minItemBytes{52'428'800};
    /// Threshold of catalogue entries marked as large caches.
    std::uint64_t devCacheMinBytes{524'288'000};
    /// Age in days after which generated images count as old.
    int staleImageDays{90};
    /// Seconds one path may be walked before its size is only approximate.
    double itemBudget{1.5};
    /// Seconds from the start of the catalogue measurement after which its walks stop.
    double staticDeadline{1.8};
    /// Seconds from the start of the scan for the measurement of the other caches.
    double othersDeadline{2.7};
    /// Seconds from the start of the worktree measurement after which its walks stop and no more
    /// git runs: a worktree not judged by then counts as unknown.
    double worktreeDeadline{3.0};
    /// Parallel sizing workers.
    int workers{6};
};

/// Measures the catalogue of a `DiskLayout` under one home folder, adds the places discovered at
/// scan time (update leftovers, Codex worktrees, old generated images, other large caches) and
/// reports them. Never changes anything on disk. Keeps no state between scans; one scan at a time
/// per thread, several advisors may scan concurrently.
class SystemDiskAdvisor : public DiskAdvising {
public:
    using Tuning = DiskScanTuning;

    /// The application identities running now; must be callable from any thread.
    using RunningSource = std::function<std::set<std::string>()>;

    /// An advisor for `home` (absolute) reading the running set from `runningBundleIDs` and the
    /// time from `now`, measuring the places of `layout`, which must outlive it (the built-in
    /// layouts live as long as the program).
    SystemDiskAdvisor(const std::string& home, RunningSource runningBundleIDs, Clock now = systemClock(),
                      Tuning tuning = Tuning{}, const DiskLayout& layout = currentLayout());

    /// One full scan (blocking, a few seconds at most); always returns a report.
    DiskReport scan() override;

    /// The Codex worktrees below ".codex/worktrees" of at least `minItemBytes`, judged by git
    /// (two at a time) within `worktreeDeadline`, each built through `finalize`.
    std::vector<DiskItem> worktreeItems(const std::function<DiskItem(DiskItem, bool approximate)>& finalize) const;

    /// The display name of an application identity: the known name, else the last non-empty
    /// "."-separated component, else the identity itself.
    static std::string appName(const std::string& bundleID);
    /// "700 MB" below 1 GiB, "5.0 GB" from there on.
    static std::string gb(std::uint64_t bytes);
    /// The string-valued entries of the top-level dictionary in a JSON or property-list file
    /// (XML or binary); absent when the file cannot be read or holds no dictionary.
    static std::optional<std::map<std::string, std::string>> readStateDict(const std::string& path);
    /// Free and total bytes of the volume holding the home folder; zeros when unknown.
    DiskSpace volumeSpace() const;

    const std::string& home() const { return home_; }

private:
    std::string home_;
    RunningSource runningBundleIDs_;
    Clock now_;
    Tuning tuning_;
    const DiskLayout* layout_;
};

} // namespace corvane
