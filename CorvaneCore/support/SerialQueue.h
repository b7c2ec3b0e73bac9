#pragma once

#include "support/Executor.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace corvane {

/// Runs tasks one at a time, in submission order, on one background thread of its own.
/// Destruction finishes the running task, drops the ones not yet started and joins the thread;
/// it must not happen on the queue's own thread. A task that throws is dropped silently.
class SerialQueue final : public Executor {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue() override;
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void async(std::function<void()> task) override;
    const std::string& label() const { return label_; }

private:
    void run();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_{false};
    std::thread worker_;
};

} // namespace corvane
