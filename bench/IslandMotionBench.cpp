// The island's motion and memory on the X server in $DISPLAY (run it through island_motion.sh):
// the time from the expand effect to the dashboard's first painted frame (after one warm-up
// opening), the frames dropped while the panel grows, the CPU used while the dashboard stays
// open, and resident memory before the first opening, after twenty openings and closings, and
// after a quiet period. The dashboard is the real one, on the demonstration model's figures.
#include "IslandController.h"
#include "IslandPanel.h"
#include "QtMainExecutor.h"
#include "StandardDashboard.h"

#include "app/DemoServices.h"
#include "app/LiveServices.h"
#include "island/IslandControllerRules.h"
#include "prefs/InMemoryPreferenceStore.h"
#include "prefs/Prefs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace corvane;

constexpr double frameMs = 1000.0 / 60;

/// Resident memory in MiB: in all, and its anonymous, file-backed and shared parts.
struct Resident {
    double total{};
    double anon{};
    double file{};
    double shmem{};
};

Resident resident() {
    std::ifstream status("/proc/self/status");
    Resident r;
    std::string field;
    double kib = 0;
    while (status >> field) {
        double* into = field == "VmRSS:" ? &r.total
                       : field == "RssAnon:" ? &r.anon
                       : field == "RssFile:" ? &r.file
                       : field == "RssShmem:" ? &r.shmem
                                              : nullptr;
        if (into != nullptr && status >> kib) *into = kib / 1024;
    }
    return r;
}

void printResident(const char* when, const Resident& r) {
    std::printf("resident memory %s: %.1f MiB (anonymous %.1f, file %.1f, shared %.1f)\n", when, r.total, r.anon,
                r.file, r.shmem);
}

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// Runs the event loop for `seconds`, sleeping while there is nothing to do.
void runFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

/// Records when a widget paints, in nanoseconds on `clock`.
class PaintTimes final : public QObject {
public:
    explicit PaintTimes(const QElapsedTimer& clock) : clock_(clock) {}
    std::vector<qint64> times;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) times.push_back(clock_.nsecsElapsed());
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

} // namespace

int main(int argc, char** argv) {
    const double openSeconds = argc > 1 ? std::atof(argv[1]) : 60;
    const double quietSeconds = argc > 2 ? std::atof(argv[2]) : 600;
    QApplication app(argc, argv);
    auto main = std::make_shared<QtMainExecutor>();
    auto prefs = std::make_shared<InMemoryPreferenceStore>();
    Prefs::registerDefaults(*prefs);
    auto model = makeDemoModel(MockMode::warn, main, prefs);

    QElapsedTimer clock;
    clock.start();
    PaintTimes contentPaints(clock);
    IslandController island(model, main, prefs,
                            [&](const DashboardContext& context) {
                                auto content = makeStandardDashboard(model, context);
                                content->installEventFilter(&contentPaints);
                                return content;
                            },
                            {});
    island.returnFreeMemory = returnFreeMemoryToSystem;
    model->start();
    runFor(1);
    const Resident residentBefore = resident();

    // Warm-up: the first opening loads fonts and creates the window system's resources.
    island.send(IslandInput::iconToggle);
    runFor(0.6);
    island.send(IslandInput::iconToggle);
    runFor(1);

    contentPaints.times.clear();
    const qint64 start = clock.nsecsElapsed();
    island.send(IslandInput::iconToggle);
    PaintTimes panelPaints(clock);
    island.dashboardPanel()->installEventFilter(&panelPaints);
    runFor(IslandTiming::frameSeconds + 0.2);
    const double firstFrameMs =
        contentPaints.times.empty() ? -1 : static_cast<double>(contentPaints.times.front() - start) / 1e6;
    int dropped = 0;
    const qint64 growthEnd = start + static_cast<qint64>(IslandTiming::frameSeconds * 1e9);
    for (std::size_t i = 1; i < panelPaints.times.size() && panelPaints.times[i - 1] < growthEnd; ++i) {
        const double gapMs = static_cast<double>(panelPaints.times[i] - panelPaints.times[i - 1]) / 1e6;
        if (gapMs > 1.5 * frameMs) dropped += static_cast<int>(gapMs / frameMs) - 1;
    }
    const std::size_t growthFrames = panelPaints.times.size();
    island.dashboardPanel()->removeEventFilter(&panelPaints);

    const double cpuBefore = cpuSeconds();
    runFor(openSeconds);
    const double cpuShare = (cpuSeconds() - cpuBefore) / openSeconds * 100;
    island.send(IslandInput::iconToggle);
    runFor(1);

    for (int i = 0; i < 20; ++i) {
        island.send(IslandInput::iconToggle);
        runFor(0.5);
        island.send(IslandInput::iconToggle);
        runFor(0.5);
    }
    runFor(1);
    const Resident residentAfterCycles = resident();
    runFor(quietSeconds);
    const Resident residentLater = resident();

    std::printf("expand to first painted frame: %.1f ms\n", firstFrameMs);
    std::printf("frames painted while growing: %zu, dropped at 60 Hz: %d\n", growthFrames, dropped);
    std::printf("CPU while open for %.0f s: %.2f%% of one core\n", openSeconds, cpuShare);
    printResident("before the first opening", residentBefore);
    printResident("after 20 openings and closings", residentAfterCycles);
    printResident(("after " + std::to_string(static_cast<int>(quietSeconds)) + " s more").c_str(), residentLater);
    return 0;
}
