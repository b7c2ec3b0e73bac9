#pragma once

#include "app/AppModel.h"
#include "cli/StatusBarLine.h"
#include "status/StatusBarLook.h"
#include "support/MainExecutor.h"

#include <functional>
#include <memory>
#include <string>

namespace corvane {

/// Prints a line for a status bar each time what the bar shows changes (the tray's refresh key,
/// or the waiting sessions the tooltip names), from the first memory sample on; an unchanged
/// look, or a line equal to the last, prints nothing. The changes of one model update are looked at together, once the update
/// is done, so a bar never sees a half-applied sample. Lives on the model's main executor.
class StatusBarPrinter : public std::enable_shared_from_this<StatusBarPrinter> {
public:
    /// Watches `model`, which runs on `main`; `output` receives each line with its newline.
    static std::shared_ptr<StatusBarPrinter> start(std::shared_ptr<AppModel> model, std::shared_ptr<MainExecutor> main,
                                                   BarFormat format, std::function<void(const std::string&)> output);

private:
    StatusBarPrinter(std::shared_ptr<AppModel> model, std::shared_ptr<MainExecutor> main, BarFormat format,
                     std::function<void(const std::string&)> output);
    void changed();
    void print();

    std::shared_ptr<AppModel> model_;
    std::shared_ptr<MainExecutor> main_;
    BarFormat format_;
    std::function<void(const std::string&)> output_;
    StatusBarRefresher refresher_;
    std::string lastLine_;
    bool printPending_{false};
    Subscription subscription_;
};

} // namespace corvane
