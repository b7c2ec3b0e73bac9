#include "cli/StatusBarPrinter.h"

namespace corvane {

std::shared_ptr<StatusBarPrinter> StatusBarPrinter::start(std::shared_ptr<AppModel> model,
                                                          std::shared_ptr<MainExecutor> main, BarFormat format,
                                                          std::function<void(const std::string&)> output) {
    std::shared_ptr<StatusBarPrinter> printer(
        new StatusBarPrinter(std::move(model), std::move(main), format, std::move(output)));
    printer->subscription_ = printer->model_->observe([weak = printer->weak_from_this()](AppModel::Field) {
        if (auto self = weak.lock()) self->changed();
    });
    return printer;
}

StatusBarPrinter::StatusBarPrinter(std::shared_ptr<AppModel> model, std::shared_ptr<MainExecutor> main,
                                   BarFormat format, std::function<void(const std::string&)> output)
    : model_(std::move(model)), main_(std::move(main)), format_(format), output_(std::move(output)) {}

void StatusBarPrinter::changed() {
    if (printPending_) return;
    printPending_ = true;
    main_->async([weak = weak_from_this()] {
        if (auto self = weak.lock()) self->print();
    });
}

void StatusBarPrinter::print() {
    printPending_ = false;
    const MemorySnapshot& snapshot = model_->snapshot();
    if (snapshot.totalBytes == 0) return; // not sampled yet: nothing true to show
    const StatusInputs inputs{model_->verdict().level, usedPercent(snapshot), true, false, model_->attentionCount()};
    const auto look = refresher_.refresh(inputs, waitingSessionLines(model_->aiRows()));
    if (!look) return;
    // A change only the tooltip shows leaves the formats without one unchanged.
    std::string line = statusBarLine(format_, *look);
    if (line == lastLine_) return;
    lastLine_ = line;
    output_(line);
}

} // namespace corvane
