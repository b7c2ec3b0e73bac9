#pragma once

#include <functional>

namespace corvane {

/// Runs submitted work later, on a thread of the executor's choosing.
/// `async` never runs `task` inline and never blocks on the task; it is safe from any thread.
class Executor {
public:
    virtual ~Executor() = default;
    virtual void async(std::function<void()> task) = 0;
};

} // namespace corvane
