#pragma once

#include "support/Executor.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace corvane {

/// A bounded pool of `width` threads running submitted tasks concurrently, in no promised order.
/// A task blocked in I/O occupies one thread and delays nothing but the tasks behind it.
/// Destruction finishes the running tasks, drops the ones not yet started and joins every thread;
/// it must not happen on one of the pool's threads. A task that throws is dropped silently.
class ConcurrentPool final : public Executor {
public:
    explicit ConcurrentPool(unsigned width);
    ~ConcurrentPool() override;
    ConcurrentPool(const ConcurrentPool&) = delete;
    ConcurrentPool& operator=(const ConcurrentPool&) = delete;

    void async(std::function<void()> task) override;
    unsigned width() const { return static_cast<unsigned>(workers_.size()); }

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_{false};
    std::vector<std::thread> workers_;
};

} // namespace corvane
