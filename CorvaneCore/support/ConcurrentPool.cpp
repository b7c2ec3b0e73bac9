#include "support/ConcurrentPool.h"

#include <algorithm>

namespace corvane {

ConcurrentPool::ConcurrentPool(unsigned width) {
    const unsigned count = std::max(width, 1U);
    workers_.reserve(count);
    for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { run(); });
}

ConcurrentPool::~ConcurrentPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        tasks_.clear();
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
}

void ConcurrentPool::async(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void ConcurrentPool::run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (stopping_) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        try {
            task();
        } catch (...) {
            // Failures travel in the task's own result; nothing escapes the pool.
        }
    }
}

} // namespace corvane
