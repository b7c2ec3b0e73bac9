#pragma once

#include "apps/AppOpening.h"

namespace corvane {

/// An application opener that opens and activates nothing and reports success, so that jumps in
/// a demonstration end as if the host had come forward.
class DemoAppOpener final : public AppOpening {
public:
    void open(const std::string& /*url*/, const std::string& /*bundleID*/, Completion completion) override {
        completion(true);
    }
    void activate(const std::string& /*bundleID*/, Completion completion) override { completion(true); }
};

} // namespace corvane
