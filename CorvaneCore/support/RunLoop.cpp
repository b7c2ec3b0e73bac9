#include "support/RunLoop.h"

#include <algorithm>
#include <chrono>

namespace corvane {

using Steady = std::chrono::steady_clock;

struct RunLoop::State {
    struct Timer {
        Steady::time_point due;
        Steady::duration interval; // zero for a one-shot timer
        std::function<void()> action;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> tasks;
    std::map<std::uint64_t, Timer> timers;
    std::uint64_t nextId{1};
    bool stopped{false};

    std::uint64_t add(double delaySeconds, double intervalSeconds, std::function<void()> action) {
        const auto toDuration = [](double seconds) {
            return std::chrono::duration_cast<Steady::duration>(std::chrono::duration<double>(std::max(seconds, 0.0)));
        };
        std::lock_guard lock(mutex);
        const std::uint64_t id = nextId++;
        timers[id] = Timer{Steady::now() + toDuration(delaySeconds), toDuration(intervalSeconds), std::move(action)};
        wake.notify_one();
        return id;
    }
};

class RunLoop::Handle final : public TimerHandle {
public:
    Handle(std::weak_ptr<State> state, std::uint64_t id) : state_(std::move(state)), id_(id) {}
    ~Handle() override { cancel(); }
    void cancel() override {
        if (auto state = state_.lock()) {
            std::lock_guard lock(state->mutex);
            state->timers.erase(id_);
        }
    }

private:
    std::weak_ptr<State> state_;
    std::uint64_t id_;
};

RunLoop::RunLoop() : state_(std::make_shared<State>()) {}

RunLoop::~RunLoop() = default;

void RunLoop::async(std::function<void()> task) {
    std::lock_guard lock(state_->mutex);
    state_->tasks.push_back(std::move(task));
    state_->wake.notify_one();
}

Date RunLoop::now() const {
    return std::chrono::system_clock::now();
}

std::unique_ptr<TimerHandle> RunLoop::after(double delaySeconds, std::function<void()> action) {
    return std::make_unique<Handle>(state_, state_->add(delaySeconds, 0, std::move(action)));
}

std::unique_ptr<TimerHandle> RunLoop::every(double intervalSeconds, double /*leewaySeconds*/,
                                            std::function<void()> action) {
    // A plain loop has no wake-up batching to offer, so the leeway is not used.
    return std::make_unique<Handle>(state_, state_->add(intervalSeconds, intervalSeconds, std::move(action)));
}

void RunLoop::run() {
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    while (!s.stopped) {
        if (!s.tasks.empty()) {
            auto task = std::move(s.tasks.front());
            s.tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
            continue;
        }
        auto due = s.timers.end();
        for (auto it = s.timers.begin(); it != s.timers.end(); ++it) {
            if (due == s.timers.end() || it->second.due < due->second.due) due = it;
        }
        if (due == s.timers.end()) {
            s.wake.wait(lock);
            continue;
        }
        if (due->second.due > Steady::now()) {
            s.wake.wait_until(lock, due->second.due);
            continue;
        }
        std::function<void()> action = due->second.action;
        if (due->second.interval > Steady::duration::zero()) {
            due->second.due = Steady::now() + due->second.interval;
        } else {
            s.timers.erase(due);
        }
        lock.unlock();
        action();
        lock.lock();
    }
}

void RunLoop::stop() {
    std::lock_guard lock(state_->mutex);
    state_->stopped = true;
    state_->wake.notify_one();
}

} // namespace corvane
