#pragma once

#include "app/DiskCleaning.h"

#include <mutex>
#include <stdexcept>

namespace corvane::test {

/// Records every batch it is asked to clean and answers `nextClean`, or throws when `throws` is
/// set; moves nothing. Thread-safe; read the fields once the work is done.
class RecordingDiskCleaner final : public DiskCleaning {
public:
    DiskCleanReport clean(const std::vector<DiskItem>& items, const std::set<std::string>&) override {
        std::lock_guard lock(mutex_);
        if (throws) throw std::runtime_error("clean failed");
        cleaned.push_back(items);
        return nextClean;
    }

    DiskCleanReport nextClean;
    bool throws{false};
    std::vector<std::vector<DiskItem>> cleaned;

private:
    std::mutex mutex_;
};

} // namespace corvane::test
