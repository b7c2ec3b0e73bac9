#include "IslandStressRun.h"

#include "FontRelease.h"
#include "IslandController.h"
#include "IslandPanel.h"
#include "ResidentMemory.h"

#include "island/IslandDemonstrations.h"

#include <QApplication>
#include <QDateTime>
#include <QPointer>
#include <QThreadPool>

#include <atomic>

#include <cstdio>

namespace corvane {

namespace {

/// How often the run looks whether the tear-down is over, and how long it waits at most.
constexpr double pollSeconds = 0.02;
constexpr double settleLimitSeconds = 10;
/// The island hands memory back half a second after a tear-down; this waits it out.
constexpr double afterTeardownSeconds = 0.7;
/// Long enough for the first opening to grow and paint completely, and for a notice to fade in
/// and paint its glyphs.
constexpr double primingOpenSeconds = 0.6;
constexpr double primingNoticeSeconds = 0.25;

int islandWindowsLeft(const IslandController& island) {
    int left = island.dashboardPanel() != nullptr || island.wingsPanel() != nullptr ? 1 : 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<IslandPanel*>(window) != nullptr) ++left;
    }
    return left;
}

std::vector<WingsContent> demonstrationNotices() {
    std::vector<WingsContent> notices;
    for (const auto& entry : islandDemonstrations()) {
        if (entry.second.kind == IslandDemonstration::Kind::wings) notices.push_back(entry.second.wings);
    }
    return notices;
}

} // namespace

IslandStressRun::IslandStressRun(IslandController& island, std::shared_ptr<MainExecutor> main,
                                 std::function<void()> returnFreeMemory, int steps, std::uint64_t seed,
                                 std::function<void(const StressReport&)> onDone)
    : island_(island), main_(std::move(main)), returnFreeMemory_(std::move(returnFreeMemory)), steps_(steps),
      notices_(demonstrationNotices()), sequence_(seed, notices_.size()), onDone_(std::move(onDone)) {
    report_.seed = seed;
}

IslandStressRun::~IslandStressRun() = default;

void IslandStressRun::start() {
    island_.send(IslandInput::iconToggle);
    const QPointer<IslandStressRun> self(this);
    timer_ = main_->after(primingOpenSeconds, [self] {
        if (!self) return;
        self->island_.collapseNow();
        self->primeNotice(0);
    });
}

void IslandStressRun::primeNotice(std::size_t index) {
    const QPointer<IslandStressRun> self(this);
    if (index == notices_.size()) {
        island_.dismissWings(false);
        settle([self] {
            self->measure(true);
            self->startedAtMs_ = QDateTime::currentMSecsSinceEpoch();
            self->step();
        });
        return;
    }
    island_.showWings(notices_[index], primingNoticeSeconds, nullptr);
    timer_ = main_->after(primingNoticeSeconds, [self, index] {
        if (self) self->primeNotice(index + 1);
    });
}

void IslandStressRun::step() {
    if (taken_ >= steps_) {
        finish();
        return;
    }
    ++taken_;
    const StressStep next = sequence_.next();
    const QPointer<IslandStressRun> self(this);
    timer_ = main_->after(next.delaySeconds, [self, next] {
        if (!self) return;
        self->perform(next);
        self->step();
    });
}

void IslandStressRun::perform(const StressStep& step) {
    switch (step.kind) {
    case StressStep::Kind::input:
        ++report_.inputs;
        island_.send(step.input);
        break;
    case StressStep::Kind::screenChange:
        ++report_.screenChanges;
        island_.screensChanged();
        break;
    case StressStep::Kind::wings:
        ++report_.wings;
        island_.showWings(notices_[step.wingsIndex], step.holdSeconds, nullptr);
        break;
    }
}

void IslandStressRun::finish() {
    report_.seconds = static_cast<double>(QDateTime::currentMSecsSinceEpoch() - startedAtMs_) / 1000;
    island_.collapseNow();
    island_.dismissWings(false);
    const QPointer<IslandStressRun> self(this);
    settle([self] {
        self->report_.state = self->island_.state();
        self->report_.islandWindowsLeft = islandWindowsLeft(self->island_);
        self->measure(false);
        std::fputs(stressSummaryLine(self->report_).c_str(), stderr);
        std::fflush(stderr);
        self->onDone_(self->report_);
    });
}

void IslandStressRun::settle(std::function<void()> next) {
    settled_ = std::move(next);
    const QPointer<IslandStressRun> self(this);
    waitUntil([self] { return islandWindowsLeft(self->island_) == 0; },
              [self] {
                  self->timer_ = self->main_->after(afterTeardownSeconds, [self] {
                      if (self) self->returnMemory();
                  });
              });
}

void IslandStressRun::returnMemory() {
    // Fonts go and freed memory goes back off the interface thread, as after every close.
    releaseLoadedFonts();
    auto returned = std::make_shared<std::atomic<bool>>(false);
    QThreadPool::globalInstance()->start([relief = returnFreeMemory_, returned] {
        if (relief) relief();
        *returned = true;
    });
    waitUntil([returned] { return returned->load(); }, std::move(settled_));
}

void IslandStressRun::waitUntil(std::function<bool()> done, std::function<void()> next) {
    waitDone_ = std::move(done);
    waitNext_ = std::move(next);
    pollsLeft_ = static_cast<int>(settleLimitSeconds / pollSeconds);
    poll();
}

void IslandStressRun::poll() {
    if (waitDone_() || pollsLeft_-- == 0) {
        const std::function<void()> next = std::move(waitNext_);
        next();
        return;
    }
    const QPointer<IslandStressRun> self(this);
    timer_ = main_->after(pollSeconds, [self] {
        if (self) self->poll();
    });
}

void IslandStressRun::measure(bool before) {
    const int windows = static_cast<int>(QApplication::topLevelWidgets().size());
    const auto resident = comparableResidentMemory();
    if (before) {
        report_.windowsBefore = windows;
        report_.residentBefore = resident;
    } else {
        report_.windowsAfter = windows;
        report_.residentAfter = resident;
    }
}

} // namespace corvane
