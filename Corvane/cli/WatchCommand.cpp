#include "cli/WatchCommand.h"

#include "app/LiveServices.h"
#include "cli/StandardOutput.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "report/JsonWriter.h"
#include "report/Report.h"
#include "report/ReportTime.h"
#include "report/TerminalText.h"
#include "support/RunLoop.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace corvane {

namespace {

/// A JSON line's opening members, left open for the kind's own ones.
JsonWriter jsonLine(Date time, std::string_view kind) {
    JsonWriter json;
    json.beginObject();
    json.key("time").value(reportIsoUtc(time));
    json.key("kind").value(kind);
    return json;
}

std::string textLine(Date time, const std::string& sentence) {
    return "[" + reportLocalTime(time) + "] " + sentence + "\n";
}

} // namespace

WatchPrinter::WatchPrinter(std::shared_ptr<AppModel> model, WatchFormat format,
                           std::function<void(const std::string&)> output)
    : model_(std::move(model)), format_(format), output_(std::move(output)) {
    model_->onWings = [this](const WingsContent& content) { notice(content); };
    subscription_ = model_->observe([this](AppModel::Field field) {
        if (field == AppModel::Field::verdict) levelChanged(model_->verdict().level);
    });
}

void WatchPrinter::levelChanged(PressureLevel level) {
    if (lastLevel_ == level) return;
    lastLevel_ = level;
    const Date now = std::chrono::system_clock::now();
    const int percent = usedPercent(model_->snapshot());
    if (format_ == WatchFormat::text) {
        output_(textLine(now, "内存压力：" + std::string(levelWord(level)) + "（已用 " + std::to_string(percent) + "%）"));
        return;
    }
    JsonWriter json = jsonLine(now, "level");
    json.key("level").value(rawValue(level));
    json.key("usedPercent").value(percent);
    output_(json.endObject().text() + "\n");
}

void WatchPrinter::notice(const WingsContent& content) {
    const Date now = std::chrono::system_clock::now();
    if (format_ == WatchFormat::text) {
        output_(textLine(now, terminalSafe(content.a11y)));
        return;
    }
    JsonWriter json = jsonLine(now, "notice");
    json.key("text").value(content.a11y);
    json.key("session");
    if (content.jump) {
        json.beginObject();
        json.key("tool").value(rawValue(content.jump->tool));
        json.key("id").value(content.jump->sessionID);
        json.endObject();
    } else {
        json.null();
    }
    output_(json.endObject().text() + "\n");
}

int runWatch(WatchFormat format) {
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

    std::optional<std::string> failure;
    {
        auto prefs = std::make_shared<InMemoryPreferenceStore>();
        Prefs::registerDefaults(*prefs);
        auto model = makeLiveModel(loop, prefs);
        WatchPrinter printer(model, format, [&failure, &loop](const std::string& line) {
            if (failure) return;
            failure = writeStandardOutput(line);
            if (failure) loop->stop();
        });
        model->start();
        loop->run();
    } // the model and its queues end here, before the process does
    // After a failed write no signal has come: wake the waiter with the one it waits for.
    if (failure) pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    return failure ? outputFailed(*failure) : 0;
}

} // namespace corvane
