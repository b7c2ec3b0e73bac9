#pragma once

#include "app/DiskAdvisorMaking.h"
#include "support/Clock.h"

#include <mutex>

namespace corvane {

/// Canned disk scans: a dozen caches and leftovers under a made-up home folder, with the volume
/// figures given. Items owned by an application in the running set are blocked, as a real scan
/// does; items that were cleaned are gone from later scans. Measures nothing. Any thread.
class DemoDiskAdvisors final : public DiskAdvisorMaking {
public:
    DemoDiskAdvisors(std::uint64_t freeBytes, std::uint64_t totalBytes, Clock clock);

    std::unique_ptr<DiskAdvising> advisor(const std::set<std::string>& running) override;

    /// The report of a scan with `running` as the running applications.
    DiskReport report(const std::set<std::string>& running) const;
    /// The items `ids` were moved to the Trash: later scans leave them out.
    void forget(const std::vector<std::string>& ids);

private:
    const std::uint64_t freeBytes_;
    const std::uint64_t totalBytes_;
    const Clock clock_;
    mutable std::mutex mutex_; // guards cleaned_
    std::set<std::string> cleaned_;
};

} // namespace corvane
