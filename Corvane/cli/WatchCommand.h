#pragma once

#include "app/AppModel.h"

#include <memory>
#include <ostream>
#include <string>

namespace corvane {

/// Prints what the model raises, one time-stamped line each: every notice (its accessibility
/// sentence) and every change of the memory pressure level. Lives on the model's main executor.
class WatchPrinter {
public:
    WatchPrinter(std::shared_ptr<AppModel> model, std::ostream& out);

private:
    void line(const std::string& text);

    std::shared_ptr<AppModel> model_;
    std::ostream& out_;
    std::optional<PressureLevel> lastLevel_;
    Subscription subscription_;
};

/// Runs the live model headless on a plain loop until SIGINT or SIGTERM, printing to `out`.
/// Returns the process exit status (0 after a clean stop).
int runWatch(std::ostream& out);

} // namespace corvane
