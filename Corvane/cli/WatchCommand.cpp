#include "cli/WatchCommand.h"

#include "app/DemoServices.h"
#include "app/LiveServices.h"
#include "cli/StandardOutput.h"
#include "cli/WatchPrinter.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/RunLoop.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace corvane {

int runWatch(WatchFormat format, std::optional<MockMode> mock) {
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
        auto model = mock ? makeDemoModel(*mock, loop, prefs) : makeLiveModel(loop, prefs);
        WatchPrinter printer(model, format, [&failure, &loop](const std::string& line) {
            if (failure) return;
            failure = writeStandardOutput(line);
            if (failure) loop->stop();
        });
        model->start();
        loop->run();
    } // the model and its queues end here, before the process does
    // After a failed write no signal has come: wake the waiter with the one it waits for. It
    // sigwait()s for SIGTERM, so the signal is only received, and no thread is terminated.
    // NOLINTNEXTLINE(bugprone-bad-signal-to-kill-thread)
    if (failure) pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    return failure ? outputFailed(*failure) : 0;
}

} // namespace corvane
