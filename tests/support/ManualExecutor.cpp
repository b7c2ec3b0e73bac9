#include "support/ManualExecutor.h"

namespace corvane::test {

class ManualExecutor::Handle final : public TimerHandle {
public:
    Handle(ManualExecutor* owner, std::uint64_t id, std::weak_ptr<bool> alive)
        : owner_(owner), id_(id), alive_(std::move(alive)) {}
    ~Handle() override { cancel(); }
    void cancel() override {
        if (alive_.lock()) owner_->cancel(id_);
    }

private:
    ManualExecutor* owner_;
    std::uint64_t id_;
    std::weak_ptr<bool> alive_;
};

ManualExecutor::ManualExecutor(Date start) : now_(start) {}

void ManualExecutor::async(std::function<void()> task) {
    tasks_.async(std::move(task));
}

Date ManualExecutor::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

std::unique_ptr<TimerHandle> ManualExecutor::after(double delaySeconds, std::function<void()> action) {
    std::lock_guard lock(mutex_);
    const std::uint64_t id = nextId_++;
    timers_[id] = Timer{addingSeconds(now_, delaySeconds), 0, 0, std::move(action)};
    return std::make_unique<Handle>(this, id, alive_);
}

std::unique_ptr<TimerHandle> ManualExecutor::every(double intervalSeconds, double leewaySeconds,
                                                   std::function<void()> action) {
    std::lock_guard lock(mutex_);
    const std::uint64_t id = nextId_++;
    timers_[id] = Timer{addingSeconds(now_, intervalSeconds), intervalSeconds, leewaySeconds, std::move(action)};
    return std::make_unique<Handle>(this, id, alive_);
}

void ManualExecutor::cancel(std::uint64_t id) {
    std::lock_guard lock(mutex_);
    timers_.erase(id);
}

int ManualExecutor::runUntilIdle() {
    return tasks_.runAll();
}

void ManualExecutor::advance(double seconds) {
    runUntilIdle();
    Date end;
    {
        std::lock_guard lock(mutex_);
        end = addingSeconds(now_, seconds);
    }
    for (;;) {
        std::function<void()> action;
        {
            std::lock_guard lock(mutex_);
            auto due = timers_.end();
            for (auto it = timers_.begin(); it != timers_.end(); ++it) {
                if (it->second.due <= end && (due == timers_.end() || it->second.due < due->second.due)) due = it;
            }
            if (due == timers_.end()) {
                now_ = end;
                break;
            }
            now_ = due->second.due;
            action = due->second.action;
            if (due->second.interval > 0) {
                due->second.due = addingSeconds(due->second.due, due->second.interval);
            } else {
                timers_.erase(due);
            }
        }
        action();
        runUntilIdle();
    }
    runUntilIdle();
}

int ManualExecutor::activeTimers() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(timers_.size());
}

Clock ManualExecutor::clock() const {
    return [this] { return now(); };
}

} // namespace corvane::test
