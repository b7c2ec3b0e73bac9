#include "cli/WatchCommand.h"

#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "report/Report.h"
#include "report/ReportTime.h"
#include "support/RunLoop.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace corvane {

WatchPrinter::WatchPrinter(std::shared_ptr<AppModel> model, std::ostream& out)
    : model_(std::move(model)), out_(out) {
    model_->onWings = [this](const WingsContent& content) { line(content.a11y); };
    subscription_ = model_->observe([this](AppModel::Field field) {
        if (field != AppModel::Field::verdict) return;
        const PressureLevel level = model_->verdict().level;
        if (lastLevel_ == level) return;
        lastLevel_ = level;
        line("内存压力：" + std::string(levelWord(level)) + "（已用 " + std::to_string(usedPercent(model_->snapshot())) +
             "%）");
    });
}

void WatchPrinter::line(const std::string& text) {
    out_ << "[" << reportLocalTime(std::chrono::system_clock::now()) << "] " << text << std::endl;
}

int runWatch(std::ostream& out) {
    // Block the stop signals before any thread exists, so that only the waiter below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    if (pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr) != 0) return 1;

    auto loop = std::make_shared<RunLoop>();
    std::thread signalWaiter([loop, stopSignals] {
        int received = 0;
        sigwait(&stopSignals, &received);
        loop->stop();
    });

    {
        auto prefs = std::make_shared<InMemoryPreferenceStore>();
        Prefs::registerDefaults(*prefs);
        auto model = AppModel::live(loop, prefs);
        WatchPrinter printer(model, out);
        model->start();
        loop->run();
    } // the model and its queues end here, before the process does
    signalWaiter.join();
    return 0;
}

} // namespace corvane
