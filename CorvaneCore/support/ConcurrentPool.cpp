#include "support/ConcurrentPool.h"

#include <algorithm>

namespace corvane {

ConcurrentPool::ConcurrentPool(unsigned width) {
    const unsigned count = std::max(width, 1U);
    workers_.reserve(count);
    for (unsigned i = 0; i < count; ++i) workers_.emplace_back([state = state_] { run(*state); });
}

ConcurrentPool::~ConcurrentPool() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
        dropped.swap(state_->tasks);
    }
    state_->wake.notify_all();
    for (auto& worker : workers_) {
        // Joining the calling thread itself would fail; it ends on its own after its task.
        if (worker.get_id() == std::this_thread::get_id()) {
            worker.detach();
        } else {
            worker.join();
        }
    }
}

void ConcurrentPool::async(std::function<void()> task) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->stopping) return;
        state_->tasks.push_back(std::move(task));
    }
    state_->wake.notify_one();
}

void ConcurrentPool::run(State& state) {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(state.mutex);
            state.wake.wait(lock, [&state] { return state.stopping || !state.tasks.empty(); });
            if (state.stopping) return;
            task = std::move(state.tasks.front());
            state.tasks.pop_front();
        }
        try {
            task();
        } catch (...) {
            // Failures travel in the task's own result; nothing escapes the pool.
        }
    }
}

} // namespace corvane
