#pragma once

#include "app/DiskAdvisorMaking.h"
#include "app/DiskCleaning.h"
#include "app/RunningAppListing.h"
#include "app/SessionLinkResolving.h"

#include <stdexcept>

// Fakes of the model's own small service interfaces. Not thread-safe: for models whose queues
// run on the manual executor; read the fields once the work is done.
namespace corvane::test {

/// Lists the identities the test set.
class FixedRunningApps final : public RunningAppListing {
public:
    std::set<std::string> runningIDs() override { return running; }
    std::set<std::string> running;
};

/// Records the running set of every advisor it makes; their scans return `nextScan`, or throw
/// when `throws` is set.
class ScriptedDiskAdvisors final : public DiskAdvisorMaking {
public:
    std::unique_ptr<DiskAdvising> advisor(const std::set<std::string>& running) override {
        scansWithRunning.push_back(running);
        return std::make_unique<Advisor>(throws ? std::nullopt : std::optional<DiskReport>(nextScan));
    }
    DiskReport nextScan;
    bool throws{false};
    std::vector<std::set<std::string>> scansWithRunning;

private:
    struct Advisor final : DiskAdvising {
        explicit Advisor(std::optional<DiskReport> report) : report(std::move(report)) {}
        DiskReport scan() override { return report ? *report : throw std::runtime_error("scan failed"); }
        std::optional<DiskReport> report;
    };
};

/// Records every batch it is asked to clean and answers `nextClean`, or throws when `throws` is
/// set; moves nothing.
class RecordingDiskCleaner final : public DiskCleaning {
public:
    DiskCleanReport clean(const std::vector<DiskItem>& items, const std::set<std::string>&) override {
        if (throws) throw std::runtime_error("clean failed");
        cleaned.push_back(items);
        return nextClean;
    }
    DiskCleanReport nextClean;
    bool throws{false};
    std::vector<std::vector<DiskItem>> cleaned;
};

/// Resolves every session to `next`.
class FixedSessionLinks final : public SessionLinkResolving {
public:
    SessionLink link(AIToolKind, const std::string&) override { return next; }
    SessionLink next{std::string("codex://threads/1"), "com.openai.codex", true};
};

} // namespace corvane::test
