#include "cli/WatchCommand.h"

#include "app/DemoServices.h"
#include "app/LiveServices.h"
#include "cli/StandardOutput.h"
#include "cli/StatusBarPrinter.h"
#include "cli/WatchPrinter.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"
#include "support/RunLoop.h"
#include "support/UniqueFd.h"

#include <poll.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <thread>

namespace corvane {

namespace {

using Output = std::function<void(const std::string&)>;
/// Attaches what prints to the model before it starts; what it returns lives until the run ends.
using AttachPrinter =
    std::function<std::shared_ptr<void>(const std::shared_ptr<AppModel>&, const std::shared_ptr<RunLoop>&, Output)>;

/// Waits until one of `signals` (blocked in every thread) arrives or the reader of standard output
/// goes (a pipe's reader closing reports an error on the write end), and says whether the reader
/// went.
bool waitForStop(const sigset_t& signals) {
    bool watchOutput = true;
    const UniqueFd signalFd(::signalfd(-1, &signals, SFD_CLOEXEC));
    if (!signalFd) {
        int received = 0;
        sigwait(&signals, &received);
        return false;
    }
    // Events 0: only the error and hang-up conditions, which poll always reports.
    pollfd watched[2] = {{signalFd.get(), POLLIN, 0}, {STDOUT_FILENO, 0, 0}};
    for (;;) {
        if (::poll(watched, watchOutput ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (watched[0].revents != 0) return false;
        if ((watched[1].revents & (POLLERR | POLLHUP)) != 0) return true;
        if (watched[1].revents != 0) watchOutput = false; // not a pipe or terminal: nothing to watch
    }
}

/// The one headless run behind --watch and --bar. The reader of standard output going (EPIPE, or
/// the hang-up seen while idle) ends the run: with status 0 and no message when
/// `quietWhenReaderGoes`, else as a failed write.
int runHeadless(const AttachPrinter& attach, std::optional<MockMode> mock, bool quietWhenReaderGoes) {
    // Block the stop signals before any thread exists, so that only the waiter below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    if (pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr) != 0) return 1;
    // A reader that goes must turn into EPIPE from write, not a signal that kills the process:
    // --watch then says so and ends with status 1, --bar ends quietly.
    std::signal(SIGPIPE, SIG_IGN);

    auto loop = std::make_shared<RunLoop>();
    std::atomic<bool> readerGone{false};
    std::thread signalWaiter([loop, stopSignals, &readerGone] {
        readerGone = waitForStop(stopSignals);
        loop->stop();
    });

    int failure = 0;
    {
        auto prefs = std::make_shared<InMemoryPreferenceStore>();
        Prefs::registerDefaults(*prefs);
        auto model = mock ? makeDemoModel(*mock, loop, prefs) : makeLiveModel(loop, prefs);
        const std::shared_ptr<void> printer = attach(model, loop, [&failure, &loop](const std::string& line) {
            if (failure != 0) return;
            failure = writeStandardOutputErrno(line);
            if (failure != 0) loop->stop();
        });
        model->start();
        loop->run();
    } // the model and its queues end here, before the process does
    // After a failed write no signal has come: wake the waiter with the one it waits for. It
    // waits for SIGTERM, so the signal is only received, and no thread is terminated.
    // NOLINTNEXTLINE(bugprone-bad-signal-to-kill-thread)
    if (failure != 0) pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    if (readerGone && failure == 0) failure = EPIPE;
    if (quietWhenReaderGoes && failure == EPIPE) return 0;
    if (failure == 0) return 0;
    return outputFailed(std::strerror(failure));
}

} // namespace

int runWatch(WatchFormat format, std::optional<MockMode> mock) {
    return runHeadless(
        [format](const std::shared_ptr<AppModel>& model, const std::shared_ptr<RunLoop>&, Output output) {
            return std::make_shared<WatchPrinter>(model, format, std::move(output));
        },
        mock, false);
}

int runBar(BarFormat format, std::optional<MockMode> mock) {
    return runHeadless(
        [format](const std::shared_ptr<AppModel>& model, const std::shared_ptr<RunLoop>& loop, Output output) {
            return StatusBarPrinter::start(model, loop, format, std::move(output));
        },
        mock, true);
}

} // namespace corvane
