#pragma once

#include "app/AppModel.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

/// How the live monitor prints: time-stamped Chinese lines, or one JSON object a line.
enum class WatchFormat { text, json };

/// Prints what the model raises, one line each: every notice and every change of the memory
/// pressure level. A text line is "[local time] sentence" (outside text in it escaped for the
/// terminal); a JSON line is {"time","kind":"level","level","usedPercent"} or
/// {"time","kind":"notice","text","session"} (fields in README.md). Lives on the model's main
/// executor.
class WatchPrinter {
public:
    /// `output` receives each line with its newline.
    WatchPrinter(std::shared_ptr<AppModel> model, WatchFormat format, std::function<void(const std::string&)> output);

private:
    void levelChanged(PressureLevel level);
    void notice(const WingsContent& content);

    std::shared_ptr<AppModel> model_;
    WatchFormat format_;
    std::function<void(const std::string&)> output_;
    std::optional<PressureLevel> lastLevel_;
    Subscription subscription_;
};

} // namespace corvane
