#pragma once

#include "app/DiskAdvisorMaking.h"

#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::test {

/// Makes advisors whose scan returns `nextScan` (or throws when `throws` is set) and records the
/// running set of every scan, in order. Thread-safe; read the fields once the work is done.
class ScriptedDiskAdvisors final : public DiskAdvisorMaking {
public:
    std::unique_ptr<DiskAdvising> advisor(const std::set<std::string>& running) override {
        return std::make_unique<Advisor>(*this, running);
    }

    DiskReport nextScan;
    bool throws{false};
    std::vector<std::set<std::string>> scansWithRunning;

private:
    class Advisor final : public DiskAdvising {
    public:
        Advisor(ScriptedDiskAdvisors& owner, std::set<std::string> running)
            : owner_(owner), running_(std::move(running)) {}
        DiskReport scan() override {
            std::lock_guard lock(owner_.mutex_);
            if (owner_.throws) throw std::runtime_error("scan failed");
            owner_.scansWithRunning.push_back(running_);
            return owner_.nextScan;
        }

    private:
        ScriptedDiskAdvisors& owner_;
        const std::set<std::string> running_;
    };

    std::mutex mutex_;
};

} // namespace corvane::test
