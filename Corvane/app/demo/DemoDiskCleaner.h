#pragma once

#include "app/DiskCleaning.h"
#include "app/demo/DemoDiskAdvisor.h"

#include <memory>

namespace corvane {

/// Pretends to move disk items to the Trash: the actionable items whose owner does not run are
/// reported as moved and vanish from later demonstration scans; nothing on disk is touched.
/// Any thread.
class DemoDiskCleaner final : public DiskCleaning {
public:
    explicit DemoDiskCleaner(std::shared_ptr<DemoDiskAdvisors> advisors) : advisors_(std::move(advisors)) {}

    DiskCleanReport clean(const std::vector<DiskItem>& items, const std::set<std::string>& running) override;

private:
    const std::shared_ptr<DemoDiskAdvisors> advisors_;
};

} // namespace corvane
