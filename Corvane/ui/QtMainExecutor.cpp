#include "QtMainExecutor.h"

#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

namespace corvane {

namespace {

// Qt's promise for coarse timers: within 5% of the interval.
constexpr double coarseDriftShare = 0.05;

int milliseconds(double seconds) {
    if (!(seconds > 0)) return 0; // also NaN
    return static_cast<int>(std::min(std::round(seconds * 1000), static_cast<double>(INT_MAX)));
}

class QtTimerHandle final : public TimerHandle {
public:
    explicit QtTimerHandle(QTimer* timer) : timer_(timer) {}
    ~QtTimerHandle() override { cancel(); }
    QtTimerHandle(const QtTimerHandle&) = delete;
    QtTimerHandle& operator=(const QtTimerHandle&) = delete;

    void cancel() override {
        if (!timer_) return;
        timer_->stop();
        // Deferred: the action that cancels may be running inside this timer's signal.
        timer_->deleteLater();
        timer_ = nullptr;
    }

private:
    QPointer<QTimer> timer_; // cleared when the executor, the timer's parent, goes first
};

} // namespace

Qt::TimerType timerTypeFor(double intervalSeconds, double leewaySeconds) {
    return leewaySeconds > 0 && leewaySeconds >= intervalSeconds * coarseDriftShare ? Qt::CoarseTimer
                                                                                    : Qt::PreciseTimer;
}

QtMainExecutor::QtMainExecutor() : context_(std::make_unique<QObject>()) {}

QtMainExecutor::~QtMainExecutor() = default;

void QtMainExecutor::async(std::function<void()> task) {
    QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

Date QtMainExecutor::now() const {
    return std::chrono::system_clock::now();
}

std::unique_ptr<TimerHandle> QtMainExecutor::after(double delaySeconds, std::function<void()> action) {
    return startTimer(delaySeconds, Qt::PreciseTimer, true, std::move(action));
}

std::unique_ptr<TimerHandle> QtMainExecutor::every(double intervalSeconds, double leewaySeconds,
                                                   std::function<void()> action) {
    return startTimer(intervalSeconds, timerTypeFor(intervalSeconds, leewaySeconds), false, std::move(action));
}

std::unique_ptr<TimerHandle> QtMainExecutor::startTimer(double intervalSeconds, Qt::TimerType type, bool once,
                                                        std::function<void()> action) {
    auto* timer = new QTimer(context_.get()); // owned by the context until cancelled
    timer->setTimerType(type);
    timer->setSingleShot(once);
    timer->setInterval(milliseconds(intervalSeconds));
    QObject::connect(timer, &QTimer::timeout, timer, std::move(action));
    timer->start();
    return std::make_unique<QtTimerHandle>(timer);
}

} // namespace corvane
