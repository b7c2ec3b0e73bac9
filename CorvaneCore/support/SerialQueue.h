#pragma once

#include "support/ConcurrentPool.h"

#include <string>

namespace corvane {

/// Runs tasks one at a time, in submission order, on one background thread of its own, started
/// when work arrives and ended after the pool's idle expiry without work.
/// Destruction finishes the running task, drops the ones not yet started and waits for the thread
/// to end (or, on the queue's own thread, leaves it to end after its task). A task that throws is
/// dropped silently.
class SerialQueue final : public Executor {
public:
    explicit SerialQueue(std::string label) : label_(std::move(label)) {}

    void async(std::function<void()> task) override { worker_.async(std::move(task)); }
    const std::string& label() const { return label_; }

private:
    std::string label_;
    ConcurrentPool worker_{1}; // one thread takes tasks in FIFO order: a serial queue
};

} // namespace corvane
