#pragma once

#include "support/Executor.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace corvane {

/// A bounded pool of `width` threads running submitted tasks concurrently, in no promised order.
/// A task blocked in I/O occupies one thread and delays nothing but the tasks behind it.
/// Destruction finishes the running tasks, drops the ones not yet started and joins every thread.
/// It may happen on one of the pool's own threads (a task that held the last reference): that
/// thread is left to end by itself once its task returns. A task that throws is dropped silently.
class ConcurrentPool final : public Executor {
public:
    explicit ConcurrentPool(unsigned width);
    ~ConcurrentPool() override;
    ConcurrentPool(const ConcurrentPool&) = delete;
    ConcurrentPool& operator=(const ConcurrentPool&) = delete;

    void async(std::function<void()> task) override;
    unsigned width() const { return static_cast<unsigned>(workers_.size()); }

private:
    /// Shared with every worker, so a worker outliving the pool object still has its queue.
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::function<void()>> tasks;
        bool stopping{false};
    };
    static void run(State& state);

    std::shared_ptr<State> state_ = std::make_shared<State>();
    std::vector<std::thread> workers_;
};

} // namespace corvane
